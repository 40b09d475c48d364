#pragma once

#include <QDialog>

class QLabel;

// "Информация о программе": the program's title, version, developer and web page.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    QLabel* LogoImage;
    QLabel* TitleLbl;
    QLabel* VersionLbl;
    QLabel* DeveloperLbl;
    QLabel* LinkLbl;
};

// The 33×33 logo: the lorry of the symbol font on the program's blue.
QPixmap LogoPixmap(int size);
