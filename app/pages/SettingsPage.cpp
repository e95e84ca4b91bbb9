#include "app/pages/SettingsPage.h"

#include "app/pages/PageFrame.h"
#include "app/widgets/ColorChooser.h"
#include "app/widgets/IntSpinEdit.h"
#include "platform/Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

namespace lw::app {

SettingsPage::SettingsPage(BoxLayout& box, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), box_(box), dialogs_(dialogs) {
    setObjectName(QStringLiteral("SettingsPage"));
    framePage(this,
              QStringLiteral("Einstellungen - hier können Sie noch einige Einstellungen ändern, "
                             "die das Layout betreffen"),
              QStringLiteral(":/images/side_settings.png"), buildContent());
    showBoxLayout();
}

QWidget* SettingsPage::buildContent() {
    auto* content = new QWidget(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* control) {
        if (!label.isEmpty()) grid->addWidget(new QLabel(label, content), row, 0);
        grid->addWidget(control, row, 1, Qt::AlignLeft);
        ++row;
    };

    bkColorBox_ = new ColorChooser(dialogs_, box_.bkColor, content);
    bkColorBox_->setObjectName(QStringLiteral("bkColorBox"));
    connect(bkColorBox_, &ColorChooser::colorChanged, this,
            [this](TColor c) { edit(BkColor, [&] { box_.bkColor = c; }); });
    addRow(QStringLiteral("Hintergrundfarbe der Kästchen:"), bkColorBox_);

    borderColorBox_ = new ColorChooser(dialogs_, box_.borderColor, content);
    borderColorBox_->setObjectName(QStringLiteral("BorderColorBox"));
    connect(borderColorBox_, &ColorChooser::colorChanged, this,
            [this](TColor c) { edit(BorderColor, [&] { box_.borderColor = c; }); });
    addRow(QStringLiteral("Umrandungsfarbe der Kästchen:"), borderColorBox_);

    auto* fontBtn = new QPushButton(QStringLiteral("&Schriftart..."), content);
    fontBtn->setObjectName(QStringLiteral("FontSpeedBtn"));
    fontBtn->setMinimumWidth(161);
    connect(fontBtn, &QPushButton::clicked, this, &SettingsPage::FontSpeedBtnClick);
    fontSpeedBtn_ = fontBtn;
    addRow(QString(), fontBtn);

    breitEd_ = new IntSpinEdit(kBreitRange, content);
    breitEd_->setObjectName(QStringLiteral("BreitEd"));
    connect(breitEd_, &IntSpinEdit::valueChanged, this,
            [this](int v) { edit(Breit, [&] { box_.setBreit(v); }); });
    addRow(QStringLiteral("Breite des Kästchens:"), breitEd_);

    hochEd_ = new IntSpinEdit(kHochRange, content);
    hochEd_->setObjectName(QStringLiteral("HochEd"));
    connect(hochEd_, &IntSpinEdit::valueChanged, this,
            [this](int v) { edit(Hoch, [&] { box_.setHoch(v); }); });
    addRow(QStringLiteral("Höhe des Kästchens:"), hochEd_);

    bildEd_ = new IntSpinEdit(kBildRange, content);
    bildEd_->setObjectName(QStringLiteral("BildEd"));
    connect(bildEd_, &IntSpinEdit::valueChanged, this,
            [this](int v) { edit(Bild, [&] { box_.setBild(v); }); });
    addRow(QStringLiteral("Breite des Bildbereichs in %:"), bildEd_);

    for (IntSpinEdit* e : {breitEd_, hochEd_, bildEd_})
        e->setFixedWidth(80);

    textausricht_ = new QGroupBox(QStringLiteral("Textausrichtung"), content);
    textausricht_->setObjectName(QStringLiteral("Textausricht"));
    textausrichtGroup_ = new QButtonGroup(textausricht_);
    auto* radios = new QVBoxLayout(textausricht_);
    const char* names[] = {"Linksbündig", "Zentriert", "Rechtsbündig"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(names[i]), textausricht_);
        textausrichtGroup_->addButton(radio, i);
        radios->addWidget(radio);
    }
    connect(textausrichtGroup_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on) edit(Ausricht, [&] { box_.setAusricht(id); });
    });
    grid->addWidget(textausricht_, row++, 0, 1, 2);

    leblaufCheck_ = new QCheckBox(QStringLiteral("Lebenslauf im Kästchen anzeigen"), content);
    leblaufCheck_->setObjectName(QStringLiteral("LeblaufCheck"));
    connect(leblaufCheck_, &QCheckBox::toggled, this,
            [this](bool on) { edit(Leblauf, [&] { box_.LeblaufCheck = on; }); });
    grid->addWidget(leblaufCheck_, row++, 0, 1, 2);

    auto* undoBtn = new QPushButton(QStringLiteral("&Zurücksetzen auf Standartwerte"), content);
    undoBtn->setObjectName(QStringLiteral("UndoValBtn"));
    connect(undoBtn, &QPushButton::clicked, this, &SettingsPage::UndoValBtnClick);
    undoValBtn_ = undoBtn;
    grid->addWidget(undoBtn, row++, 0, 1, 2, Qt::AlignLeft);

    lineStyleBox_ = new QComboBox(content);
    lineStyleBox_->setObjectName(QStringLiteral("LineStyleBox"));
    lineStyleBox_->addItems({QStringLiteral("Eltern"), QStringLiteral("Familienlinien")});
    addRow(QStringLiteral("Linien:"), lineStyleBox_);

    grid->setColumnStretch(2, 1);
    auto* outer = new QVBoxLayout(content);
    outer->setContentsMargins(16, 14, 16, 14);
    outer->addLayout(grid);
    outer->addStretch(1);
    return content;
}

QAbstractButton* SettingsPage::textausrichtButton(int index) const {
    return textausrichtGroup_->button(index);
}

QString SettingsPage::fieldText(Field field) {
    switch (field) {
    case BkColor:
        return QStringLiteral("Hintergrundfarbe ändern");
    case BorderColor:
        return QStringLiteral("Umrandungsfarbe ändern");
    case Font:
        return QStringLiteral("Schriftart ändern");
    case Breit:
        return QStringLiteral("Breite des Kästchens ändern");
    case Hoch:
        return QStringLiteral("Höhe des Kästchens ändern");
    case Bild:
        return QStringLiteral("Breite des Bildbereichs ändern");
    case Ausricht:
        return QStringLiteral("Textausrichtung ändern");
    case Leblauf:
        return QStringLiteral("Lebenslauf im Kästchen ändern");
    case Reset:
        return QStringLiteral("Standardwerte wiederherstellen");
    }
    return {};
}

void SettingsPage::edit(Field field, const std::function<void()>& change) {
    if (showing_) {
        change();
        return;
    }
    const BoxLayout before = box_;
    change();
    if (!(box_ == before)) emit boxLayoutEdited(before, field);
}

void SettingsPage::showBoxLayout() {
    const bool wasShowing = std::exchange(showing_, true);
    BoxLayout values = box_;
    bkColorBox_->setColorValue(values.bkColor);
    borderColorBox_->setColorValue(values.borderColor);
    breitEd_->setValue(values.BreitEd);
    hochEd_->setValue(values.HochEd);
    bildEd_->setValue(values.BildEd);
    textausrichtGroup_->button(kAusrichtRange.clamp(values.Textausricht))->setChecked(true);
    leblaufCheck_->setChecked(values.LeblaufCheck);
    // The controls hold each value within their ranges; the layout follows
    // them, also where a control kept its value and said nothing.
    box_.bkColor = bkColorBox_->colorValue();
    box_.borderColor = borderColorBox_->colorValue();
    box_.BreitEd = breitEd_->value();
    box_.HochEd = hochEd_->value();
    box_.BildEd = bildEd_->value();
    box_.Textausricht = textausrichtGroup_->checkedId();
    box_.LeblaufCheck = leblaufCheck_->isChecked();
    box_.font = values.font;
    showing_ = wasShowing;
}

void SettingsPage::showLineStyle(LineStyle style) {
    QSignalBlocker blocker(lineStyleBox_);
    lineStyleBox_->setCurrentIndex(style == LineStyle::FamilyLines ? 1 : 0);
}

void SettingsPage::FontSpeedBtnClick() {
    edit(Font, [this] { dialogs_.chooseFont(box_.font); });
    emit repaintViewsRequested();
}

void SettingsPage::UndoValBtnClick() {
    edit(Reset, [this] {
        box_.resetToStandard();
        showBoxLayout();
    });
}

} // namespace lw::app
