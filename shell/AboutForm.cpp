#include "AboutForm.h"

#include "Fonts.h"
#include "Version.h"

#include <QLabel>
#include <QPainter>

#ifndef VYK_HOMEPAGE
#define VYK_HOMEPAGE ""
#endif

QPixmap LogoPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x1f, 0x4e, 0x9a));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    QFont font(QStringLiteral("Tarvis"));
    font.setPixelSize(size * 3 / 4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("C"));
    return pixmap;
}

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Информация о программе"));
    setFont(DesignFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(333, 238);

    LogoImage = new QLabel(this);
    LogoImage->setObjectName(QStringLiteral("LogoImage"));
    LogoImage->setGeometry(16, 16, 33, 33);
    LogoImage->setPixmap(LogoPixmap(33));

    TitleLbl = new QLabel(QStringLiteral("Тарвис"), this);
    TitleLbl->setObjectName(QStringLiteral("TitleLbl"));
    TitleLbl->setFont(DesignFont(QStringLiteral("Tahoma"), 12, true));
    TitleLbl->setGeometry(64, 16, 253, 22);

    VersionLbl = new QLabel(QStringLiteral("версия ") + GetVersionString(), this);
    VersionLbl->setObjectName(QStringLiteral("VersionLbl"));
    VersionLbl->setGeometry(64, 40, 253, 16);

    DeveloperLbl = new QLabel(QStringLiteral("Станция весового контроля автотранспорта на статических поосных весах: "
                                             "взвешивание, журнал, справочники и карточки взвешивания.\n\n"
                                             "© Разработчики Тарвис"),
                              this);
    DeveloperLbl->setWordWrap(true);
    DeveloperLbl->setObjectName(QStringLiteral("DeveloperLbl"));
    DeveloperLbl->setGeometry(64, 72, 253, 110);
    DeveloperLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // a link label: blue, underlined, hand cursor; a click opens the page in the default browser
    const QString homepage = QStringLiteral(VYK_HOMEPAGE);
    LinkLbl = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color: blue;\">%1</a>").arg(homepage.toHtmlEscaped()), this);
    LinkLbl->setObjectName(QStringLiteral("LinkLbl"));
    LinkLbl->setGeometry(64, 196, 253, 18);
    LinkLbl->setCursor(Qt::PointingHandCursor);
    LinkLbl->setOpenExternalLinks(true);
    LinkLbl->setVisible(!homepage.isEmpty());
}
