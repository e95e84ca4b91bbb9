#include "app/window/AboutBox.h"

#include "app/pages/PageFrame.h"
#include "app/window/Maker.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace lw {

TAboutBox::TAboutBox(std::function<void()> openWebsite, QWidget* parent)
    : QDialog(parent), openWebsite_(std::move(openWebsite)) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(664, 453);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(lw::app::kHeaderColor));
    panel->setPalette(pal);
    panel->setGeometry(8, 8, 648, 392);

    picture_ = new QLabel(panel);
    picture_->setObjectName(QStringLiteral("ProgramIcon"));
    picture_->setPixmap(QPixmap(QStringLiteral(":/images/about.jpg")));
    picture_->setScaledContents(true);
    picture_->setGeometry(16, 35, 306, 322);

    auto* text = new QWidget(panel);
    text->setGeometry(338, 35, 294, 322);
    auto* column = new QVBoxLayout(text);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);

    auto* heading = new QLabel(QStringLiteral("Morvane Lindwerk 3.0"), text);
    heading->setObjectName(QStringLiteral("ProductName"));
    QFont narrow(QStringLiteral("Arial Narrow"), 20);
    narrow.setBold(true);
    heading->setFont(narrow);
    column->addWidget(heading);

    auto* notice =
        new QLabel(QStringLiteral("Freeware - Weitergabe ausdrücklich erwünscht."), text);
    notice->setObjectName(QStringLiteral("Notice"));
    column->addWidget(notice);

    auto* maker = new QLabel(
        QStringLiteral("Lindwerk zeichnet Ihren Stammbaum mit Bildern, Lebensdaten und "
                       "Lebensläufen und druckt ihn in Bildschirmgröße auf so viele Blätter, "
                       "wie er braucht.\n\n"
                       "Morvane ist eine kleine Werkstatt für Programme rund um Familie, "
                       "Verein und Haus. Neuigkeiten, Beispiel-Stammbäume und Antworten auf "
                       "häufige Fragen finden Sie auf unserer Homepage:"),
        text);
    maker->setObjectName(QStringLiteral("Comments"));
    maker->setWordWrap(true);
    column->addWidget(maker);

    auto* web = new QPushButton(lw::app::makerWebAddress(), text);
    web->setObjectName(QStringLiteral("HomepageBtn"));
    web->setIcon(QIcon(QStringLiteral(":/images/glyph_www.png")));
    web->setIconSize(QSize(24, 24));
    web->setToolTip(QStringLiteral("Auf zur Morvane Homepage..."));
    connect(web, &QPushButton::clicked, this, [this] {
        if (openWebsite_) openWebsite_();
    });
    webButton_ = web;
    column->addWidget(web, 0, Qt::AlignLeft);
    column->addStretch(1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setGeometry(292, 412, 80, 28);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    okButton_ = ok;
}

void TAboutBox::showEvent(QShowEvent* event) {
    // Centred on the screen, not on the main window.
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                 screen->availableGeometry())
                 .topLeft());
    QDialog::showEvent(event);
}

} // namespace lw
