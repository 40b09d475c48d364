#include "TextCodec.h"

#include <QStringDecoder>
#include <cerrno>
#include <iconv.h>
#include <string_view>

namespace {

// Runs iconv over the whole input; an input sequence the target cannot hold is replaced by "?".
QByteArray Convert(const char* to, const char* from, const QByteArray& input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return {};
    QByteArray output;
    output.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = size_t(input.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, qsizetype(sizeof buffer - outLeft));
        if (rc == size_t(-1) && errno != E2BIG) {
            output.append('?');
            // skip one whole UTF-8 character, or one byte of another encoding
            size_t skip = 1;
            if (std::string_view(from) == "UTF-8")
                while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
                    ++skip;
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return output;
}

} // namespace

bool IsValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString FromCp1251(const QByteArray& bytes) {
    return QString::fromUtf8(Convert("UTF-8", "CP1251", bytes));
}

QByteArray ToCp1251(const QString& text) {
    return Convert("CP1251", "UTF-8", text.toUtf8());
}

QString DecodeText(const QByteArray& bytes) {
    if (IsValidUtf8(bytes)) {
        QString text = QString::fromUtf8(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    return FromCp1251(bytes);
}
