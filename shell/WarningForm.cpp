#include "WarningForm.h"

#include "Fonts.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

QFrame* MakeFrame(QWidget* parent, const char* name, const QRect& geometry) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(geometry);
    return frame;
}

QLabel* MakeTextLabel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse); // the operator may copy the details
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TWarningForm::TWarningForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("WarningForm"));
    setWindowTitle(QStringLiteral("Нештатная ситуация"));
    setFont(DesignFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(353, 233);
    setModal(true);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(16, 16, 49, 49);
    Shape1->setStyleSheet(QStringLiteral("background-color: red;"));

    ExclamationMarkLbl = new QLabel(QStringLiteral("!"), this);
    ExclamationMarkLbl->setObjectName(QStringLiteral("ExclamationMarkLbl"));
    ExclamationMarkLbl->setGeometry(17, 17, 47, 47);
    ExclamationMarkLbl->setAlignment(Qt::AlignCenter);
    ExclamationMarkLbl->setFont(DesignPixelFont(QStringLiteral("Tahoma"), 37, true));
    ExclamationMarkLbl->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    Shape2 = MakeFrame(this, "Shape2", QRect(80, 16, 257, 49));
    MessageLbl = MakeTextLabel(this, "MessageLbl", QRect(88, 24, 241, 33));
    Shape3 = MakeFrame(this, "Shape3", QRect(80, 80, 257, 97));
    InfoLbl = MakeTextLabel(this, "InfoLbl", QRect(88, 88, 241, 81));

    CloseBtn = new QPushButton(QStringLiteral("закрыть"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setGeometry(256, 192, 81, 25);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects as well
}

void TWarningForm::Present(const QString& message, const QString& info) {
    Queue.append({message, info});
    if (Showing)
        return; // the call that opened the window shows this one next
    Showing = true;
    while (!Queue.isEmpty()) {
        const Warning warning = Queue.takeFirst();
        MessageLbl->setText(warning.Message);
        InfoLbl->setText(warning.Info);
        InfoLbl->setToolTip(warning.Info);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
        exec();
    }
    Showing = false;
}
