#include "document/gui/PartnerSection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>
#include <utility>

namespace lw {
namespace {

constexpr int kListLines = 5; // rows the partnership list shows

QLineEdit* newEdit(QWidget* parent, const char* name, int chars) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * chars);
    return edit;
}

QPushButton* newButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false); // Enter in a field confirms the dialog
    return button;
}

QLabel* newLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

PartnerSection::PartnerSection(QComboBox* partnerList, QPushButton* clearPartner, QWidget* parent)
    : QWidget(parent), PartnerED(partnerList), DelPartner(clearPartner) {
    PartnerList = new QListWidget(this);
    PartnerList->setObjectName(QStringLiteral("PartnerList"));
    PartnerList->setFixedHeight(PartnerList->fontMetrics().lineSpacing() * kListLines +
                                2 * PartnerList->frameWidth() + 4);
    AddPartnerBtn = newButton(QStringLiteral("Hinzufügen"), "AddPartnerBtn", this);
    RemovePartnerBtn = newButton(QStringLiteral("Entfernen"), "RemovePartnerBtn", this);
    PartnerUpBtn = newButton(QStringLiteral("Nach oben"), "PartnerUpBtn", this);
    PartnerDownBtn = newButton(QStringLiteral("Nach unten"), "PartnerDownBtn", this);
    MarriageDateED = newEdit(this, "MarriageDateED", 12);
    MarriagePlaceED = newEdit(this, "MarriagePlaceED", 12);
    DivorcedCheck = new QCheckBox(QStringLiteral("geschieden"), this);
    DivorcedCheck->setObjectName(QStringLiteral("DivorcedCheck"));
    DivorceDateED = newEdit(this, "DivorceDateED", 12);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {AddPartnerBtn, RemovePartnerBtn, PartnerUpBtn, PartnerDownBtn})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(PartnerList, 1);
    listRow->addLayout(buttons);

    auto* fields = new QGridLayout;
    fields->addWidget(newLabel(QStringLiteral("Partner:"), PartnerED, this), 0, 0);
    fields->addWidget(PartnerED, 0, 1, 1, 3);
    fields->addWidget(DelPartner, 0, 4);
    fields->addWidget(newLabel(QStringLiteral("Heiratsdatum:"), MarriageDateED, this), 1, 0);
    fields->addWidget(MarriageDateED, 1, 1);
    fields->addWidget(newLabel(QStringLiteral("Heiratsort:"), MarriagePlaceED, this), 1, 2);
    fields->addWidget(MarriagePlaceED, 1, 3);
    fields->addWidget(DivorcedCheck, 2, 1);
    fields->addWidget(newLabel(QStringLiteral("Scheidungsdatum:"), DivorceDateED, this), 3, 0);
    fields->addWidget(DivorceDateED, 3, 1);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(new QLabel(QStringLiteral("Partnerschaften:"), this));
    outer->addLayout(listRow);
    outer->addLayout(fields);
    outer->addStretch(1);

    connect(PartnerList, &QListWidget::currentRowChanged, this, &PartnerSection::showRow);
    connect(AddPartnerBtn, &QPushButton::clicked, this, &PartnerSection::addPartner);
    connect(RemovePartnerBtn, &QPushButton::clicked, this, &PartnerSection::removePartner);
    connect(PartnerUpBtn, &QPushButton::clicked, this, [this] { movePartner(-1); });
    connect(PartnerDownBtn, &QPushButton::clicked, this, [this] { movePartner(+1); });
    connect(DelPartner, &QPushButton::clicked, this, [this] { PartnerED->setCurrentIndex(-1); });
    connect(PartnerED, &QComboBox::currentIndexChanged, this, &PartnerSection::takeFields);
    for (QLineEdit* edit : {MarriageDateED, MarriagePlaceED, DivorceDateED})
        connect(edit, &QLineEdit::textChanged, this, &PartnerSection::takeFields);
    connect(DivorcedCheck, &QCheckBox::toggled, this, &PartnerSection::takeFields);
    enableFields();
}

QList<QWidget*> PartnerSection::tabOrder() const {
    return {PartnerList,    AddPartnerBtn, RemovePartnerBtn, PartnerUpBtn,
            PartnerDownBtn, PartnerED,     MarriageDateED,   MarriagePlaceED,
            DivorcedCheck,  DivorceDateED, DelPartner};
}

void PartnerSection::fill(const QStringList& rows, std::vector<PartnerEntry> entries) {
    rows_ = rows;
    entries_ = std::move(entries);
    showing_ = true;
    PartnerList->clear();
    for (const PartnerEntry& e : entries_)
        PartnerList->addItem(rowText(e));
    showing_ = false;
    PartnerList->setCurrentRow(entries_.empty() ? -1 : 0);
    showRow(PartnerList->currentRow());
}

QString PartnerSection::rowText(const PartnerEntry& e) const {
    QString text = e.partner >= 0 && e.partner < rows_.size() ? rows_[e.partner]
                                                              : QStringLiteral("(ohne Partner)");
    if (!e.marriage.date.empty())
        text += QStringLiteral("  \u26AD ") + QString::fromStdString(e.marriage.date);
    return text;
}

void PartnerSection::enableFields() {
    const int row = PartnerList->currentRow();
    const bool chosen = row >= 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{RemovePartnerBtn, PartnerED, DelPartner, MarriageDateED,
                                         MarriagePlaceED, DivorcedCheck})
        w->setEnabled(chosen);
    DivorceDateED->setEnabled(chosen && DivorcedCheck->isChecked());
    PartnerUpBtn->setEnabled(row > 0);
    PartnerDownBtn->setEnabled(chosen && row + 1 < PartnerList->count());
}

void PartnerSection::showRow(int row) {
    if (showing_) return;
    showing_ = true;
    const bool chosen = row >= 0 && size_t(row) < entries_.size();
    const PartnerEntry shown = chosen ? entries_[size_t(row)] : PartnerEntry{};
    PartnerED->setCurrentIndex(shown.partner < PartnerED->count() ? shown.partner : -1);
    MarriageDateED->setText(QString::fromStdString(shown.marriage.date));
    MarriagePlaceED->setText(QString::fromStdString(shown.marriage.place));
    DivorcedCheck->setChecked(shown.divorced);
    DivorceDateED->setText(QString::fromStdString(shown.divorce.date));
    showing_ = false;
    enableFields();
}

void PartnerSection::takeFields() {
    enableFields();
    const int row = PartnerList->currentRow();
    if (showing_ || row < 0 || size_t(row) >= entries_.size()) return;
    PartnerEntry& e = entries_[size_t(row)];
    e.partner = PartnerED->currentIndex();
    e.marriage.date = MarriageDateED->text().toStdString();
    e.marriage.place = MarriagePlaceED->text().toStdString();
    e.divorced = DivorcedCheck->isChecked();
    e.divorce.date = DivorceDateED->text().toStdString();
    PartnerList->item(row)->setText(rowText(e));
}

void PartnerSection::addPartner() {
    entries_.push_back(PartnerEntry{});
    PartnerList->addItem(rowText(entries_.back()));
    PartnerList->setCurrentRow(PartnerList->count() - 1);
    PartnerED->setFocus();
}

void PartnerSection::removePartner() {
    const int row = PartnerList->currentRow();
    if (row < 0 || size_t(row) >= entries_.size()) return;
    entries_.erase(entries_.begin() + row);
    showing_ = true;
    delete PartnerList->takeItem(row);
    showing_ = false;
    PartnerList->setCurrentRow(std::min(row, PartnerList->count() - 1));
    showRow(PartnerList->currentRow());
}

void PartnerSection::movePartner(int by) {
    const int row = PartnerList->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= int(entries_.size())) return;
    std::swap(entries_[size_t(row)], entries_[size_t(to)]);
    PartnerList->item(row)->setText(rowText(entries_[size_t(row)]));
    PartnerList->item(to)->setText(rowText(entries_[size_t(to)]));
    PartnerList->setCurrentRow(to);
}

} // namespace lw
