#include "document/gui/EditPForm.h"

#include "document/DateText.h"
#include "document/gui/PartnerSection.h"
#include "picture/Dib.h"
#include "platform/DocText.h"

#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>
#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

namespace lw {
namespace {

constexpr int kEditChars = 40;   // width of the one-line edits, in average characters
constexpr int kMemoLines = 7;    // height of the biography memo, in text lines
constexpr int kParentChars = 20; // parent lists do not grow with long names
constexpr int kDateChars = 12;   // a date and its place share one line edit's width

QLineEdit* newLineEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    // Stored texts may be longer than a line edit's usual limit; never cut them.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * kEditChars);
    return edit;
}

// Where a parent row keeps the text that typing is compared with.
constexpr int kSearchRole = Qt::UserRole + 1;

// Offers the rows of a parent list that contain the typed text anywhere,
// ignoring case and accents, and puts the chosen row's own text in place.
class ParentCompleter : public QCompleter {
  public:
    using QCompleter::QCompleter;
    QStringList splitPath(const QString& path) const override { return {searchKey(path)}; }
    QString pathFromIndex(const QModelIndex& index) const override {
        return index.data(Qt::DisplayRole).toString();
    }
};

QComboBox* newParentList(QWidget* parent, const char* name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    // Typing filters the rows: a tree may have thousands of persons.
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(kParentChars);
    auto* completer = new ParentCompleter(list->model(), list);
    completer->setCompletionRole(kSearchRole);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseSensitive); // both sides are search keys
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setMaxVisibleItems(15);
    list->setCompleter(completer);
    QObject::connect(list->lineEdit(), &QLineEdit::editingFinished, list,
                     [list] { TEditPForm::settleParentText(*list); });
    return list;
}

QPushButton* newClearButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(QStringLiteral("X"), parent);
    button->setObjectName(QLatin1String(name));
    int side = button->fontMetrics().height() + 8;
    button->setFixedSize(side, side);
    return button;
}

QLabel* newLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QString withoutLineSeparators(QString text) {
    text.remove(QChar::LineSeparator);
    return text;
}

} // namespace

TEditPForm::TEditPForm(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("EditPForm"));
    setWindowTitle(QStringLiteral("Personendaten bearbeiten"));
    setModal(true);
    buildControls();
    orderTabs();
    setFixedSize(sizeHint());
    plainHeight_ = height();
    for (QLineEdit* edit : {GebDateED, StDateED, BaptismDateED, BurialDateED,
                            Partners->MarriageDateED, Partners->DivorceDateED})
        connect(edit, &QLineEdit::textChanged, this, &TEditPForm::markDates);

    connect(OkBtn, &QPushButton::clicked, this, &TEditPForm::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TEditPForm::reject);
    connect(DelIndex1, &QPushButton::clicked, this, &TEditPForm::DelIndex1Click);
    connect(DelIndex2, &QPushButton::clicked, this, &TEditPForm::DelIndex2Click);
    connect(BildBrowseBtn, &QToolButton::clicked, this, &TEditPForm::BildBrowseClick);
}

QWidget* TEditPForm::buildPersonPage() {
    auto* page = new QWidget;
    auto* fields = new QGridLayout(page);
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* control, QWidget* beside) {
        Qt::Alignment labelAlign = Qt::AlignLeft | Qt::AlignVCenter;
        if (control == LebenED) labelAlign = Qt::AlignLeft | Qt::AlignTop;
        fields->addWidget(newLabel(label, control, page), row, 0, labelAlign);
        fields->addWidget(control, row, 1);
        if (beside) fields->addWidget(beside, row, 2);
        ++row;
    };
    // A date with its place on one line.
    auto addEventRow = [&](const QString& label, QLineEdit* date, const QString& placeLabel,
                           QLineEdit* place) {
        for (QLineEdit* edit : {date, place})
            edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * kDateChars);
        auto* line = new QHBoxLayout;
        line->addWidget(date, 1);
        line->addWidget(newLabel(placeLabel, place, page));
        line->addWidget(place, 1);
        fields->addWidget(newLabel(label, date, page), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        fields->addLayout(line, row, 1);
        ++row;
    };
    addRow(QStringLiteral("Nachname:"), NachNameED, nullptr);
    addRow(QStringLiteral("Vorname:"), VorNameED, nullptr);
    addRow(QStringLiteral("Geschlecht:"), SexED, nullptr);
    addEventRow(QStringLiteral("Geburtsdatum:"), GebDateED, QStringLiteral("Geburtsort:"),
                BirthPlaceED);
    addEventRow(QStringLiteral("Taufe:"), BaptismDateED, QStringLiteral("Ort:"), BaptismPlaceED);
    addEventRow(QStringLiteral("Sterbedatum:"), StDateED, QStringLiteral("Sterbeort:"),
                DeathPlaceED);
    addEventRow(QStringLiteral("Bestattung:"), BurialDateED, QStringLiteral("Ort:"), BurialPlaceED);
    addRow(QStringLiteral("Vater:"), VaterED, DelIndex1);
    addRow(QStringLiteral("Mutter:"), MutterED, DelIndex2);
    addRow(QStringLiteral("Lebenslauf:"), LebenED, nullptr);
    addRow(QStringLiteral("Bild:"), BildEd, BildBrowseBtn);
    return page;
}

void TEditPForm::buildControls() {
    NachNameED = newLineEdit(this, "NachNameED");
    VorNameED = newLineEdit(this, "VorNameED");
    GebDateED = newLineEdit(this, "GebDateED");
    StDateED = newLineEdit(this, "StDateED");
    SexED = new QComboBox(this);
    SexED->setObjectName(QStringLiteral("SexED"));
    // In the order of Sex.
    SexED->addItems({QStringLiteral("unbekannt"), QStringLiteral("männlich"),
                     QStringLiteral("weiblich"), QStringLiteral("divers")});
    BirthPlaceED = newLineEdit(this, "BirthPlaceED");
    DeathPlaceED = newLineEdit(this, "DeathPlaceED");
    BaptismDateED = newLineEdit(this, "BaptismDateED");
    BaptismPlaceED = newLineEdit(this, "BaptismPlaceED");
    BurialDateED = newLineEdit(this, "BurialDateED");
    BurialPlaceED = newLineEdit(this, "BurialPlaceED");
    VaterED = newParentList(this, "VaterED");
    MutterED = newParentList(this, "MutterED");
    DelIndex1 = newClearButton(this, "DelIndex1");
    DelIndex2 = newClearButton(this, "DelIndex2");

    LebenED = new QPlainTextEdit(this);
    LebenED->setObjectName(QStringLiteral("LebenED"));
    LebenED->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Lines that do not fit are reached by scrolling, never hidden unseen.
    LebenED->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    LebenED->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LebenED->setTabChangesFocus(true);
    LebenED->setFixedHeight(LebenED->fontMetrics().lineSpacing() * kMemoLines +
                            2 * LebenED->frameWidth() +
                            2 * int(LebenED->document()->documentMargin()));

    BildEd = newLineEdit(this, "BildEd");
    BildBrowseBtn = new QToolButton(this);
    BildBrowseBtn->setObjectName(QStringLiteral("BildBrowseBtn"));
    BildBrowseBtn->setText(QStringLiteral("..."));
    BildBrowseBtn->setFocusPolicy(Qt::NoFocus); // part of the file name edit, no tab stop

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    Partners =
        new PartnerSection(newParentList(this, "PartnerED"), newClearButton(this, "DelPartner"));
    Partners->setObjectName(QStringLiteral("Partners"));
    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(buildPersonPage(), QStringLiteral("&Person"));
    Pages->addTab(Partners, QStringLiteral("&Familie"));
    // The pages change with Ctrl+Tab or their letter; the Tab key stays
    // among the fields.
    Pages->tabBar()->setFocusPolicy(Qt::NoFocus);

    // Dates stay free text; one that looks like a date and is none, or is
    // no date at all, is marked in its field and said below the fields,
    // never refused.
    DateHintLbl = new QLabel(this);
    DateHintLbl->setObjectName(QStringLiteral("DateHintLbl"));
    DateHintLbl->setTextFormat(Qt::PlainText);
    DateHintLbl->setWordWrap(true);
    // The hint never widens the dialog: the memo's width decides how the
    // biography is cut into lines.
    DateHintLbl->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    DateHintLbl->hide();
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    auto newMark = [&](QLineEdit* edit) {
        QAction* mark = edit->addAction(warning, QLineEdit::TrailingPosition);
        mark->setVisible(false);
        return mark;
    };
    GebDateMark = newMark(GebDateED);
    StDateMark = newMark(StDateED);
    BaptismDateMark = newMark(BaptismDateED);
    BurialDateMark = newMark(BurialDateED);
    MarriageDateMark = newMark(Partners->MarriageDateED);
    DivorceDateMark = newMark(Partners->DivorceDateED);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Pages);
    outer->addWidget(DateHintLbl);
    outer->addLayout(buttons);
}

void TEditPForm::markDates() {
    QStringList said;
    auto mark = [&](QLineEdit* edit, QAction* action, const QString& field) {
        const DateCheck check = checkDate(edit->text());
        action->setVisible(check.marked());
        action->setToolTip(check.problem);
        if (check.marked()) said << field + QStringLiteral(": ") + check.problem;
    };
    mark(GebDateED, GebDateMark, QStringLiteral("Geburtsdatum"));
    mark(BaptismDateED, BaptismDateMark, QStringLiteral("Taufdatum"));
    mark(StDateED, StDateMark, QStringLiteral("Sterbedatum"));
    mark(BurialDateED, BurialDateMark, QStringLiteral("Bestattungsdatum"));
    mark(Partners->MarriageDateED, MarriageDateMark, QStringLiteral("Heiratsdatum"));
    mark(Partners->DivorceDateED, DivorceDateMark, QStringLiteral("Scheidungsdatum"));
    if (!said.isEmpty()) said.last() += QStringLiteral(" (wird so gespeichert)");
    const QString text = said.join(u'\n');
    if (text == DateHintLbl->text() && DateHintLbl->isHidden() == text.isEmpty()) return;
    DateHintLbl->setText(text);
    DateHintLbl->setVisible(!text.isEmpty());
    // As wide as before; taller by the lines of the hint.
    const QMargins m = layout()->contentsMargins();
    const int extra = text.isEmpty() ? 0
                                     : DateHintLbl->heightForWidth(width() - m.left() - m.right()) +
                                           layout()->spacing();
    setFixedSize(width(), plainHeight_ + extra);
}

void TEditPForm::orderTabs() {
    // The fields of the page "Person" in their old order, each place after
    // its date; the page "Familie" after them (only the shown page's fields
    // take the focus).
    QList<QWidget*> order = {OkBtn,        CancelBtn,    NachNameED,    VorNameED,      SexED,
                             GebDateED,    BirthPlaceED, BaptismDateED, BaptismPlaceED, StDateED,
                             DeathPlaceED, BurialDateED, BurialPlaceED, VaterED,        MutterED,
                             LebenED,      BildEd,       DelIndex1,     DelIndex2};
    order += Partners->tabOrder();
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

bool TEditPForm::execDialog() {
    accepted_.reset();
    setResult(QDialog::Rejected);
    if (runner_) {
        runner_(*this);
        if (isVisible()) hide(); // left open by the runner: closed without OK
    } else {
        exec();
    }
    return result() == QDialog::Accepted && accepted_.has_value();
}

void TEditPForm::fillParents(const QStringList& parents, int vaterRow, int mutterRow) {
    QStringList keys;
    keys.reserve(parents.size());
    for (const QString& row : parents)
        keys << searchKey(row);
    for (QComboBox* list : {VaterED, MutterED, Partners->PartnerED}) {
        list->setCurrentIndex(-1);
        list->clear();
        list->addItems(parents);
        for (int i = 0; i < keys.size(); ++i)
            list->setItemData(i, keys[i], kSearchRole);
    }
    VaterED->setCurrentIndex(vaterRow);
    MutterED->setCurrentIndex(mutterRow);
}

void TEditPForm::fillEmpty(const QStringList& parents) {
    for (QLineEdit* edit :
         {NachNameED, VorNameED, GebDateED, StDateED, BildEd, BirthPlaceED, DeathPlaceED,
          BaptismDateED, BaptismPlaceED, BurialDateED, BurialPlaceED})
        edit->clear();
    SexED->setCurrentIndex(0);
    LebenED->clear();
    fillParents(parents, -1, -1);
    Partners->fill(parents, {});
    Pages->setCurrentIndex(0);
}

void TEditPForm::fillFrom(const TPerson& person, const QStringList& parents, int vaterRow,
                          int mutterRow, std::vector<PartnerEntry> partners) {
    NachNameED->setText(fromDocText(person.NachName));
    VorNameED->setText(fromDocText(person.VorName));
    GebDateED->setText(fromDocText(person.GebDate));
    StDateED->setText(fromDocText(person.StDate));
    BildEd->setText(fromDocText(person.Bild));
    // Each biography line ends with a line break, as if typed, so that an
    // empty last line of the biography survives a confirmation unchanged.
    QString memo;
    for (const std::string& line : person.Leben)
        memo += fromDocText(line) + QLatin1Char('\n');
    LebenED->setPlainText(memo);
    fillParents(parents, vaterRow, mutterRow);
    SexED->setCurrentIndex(int(person.sex) < SexED->count() ? int(person.sex) : 0);
    const std::pair<QLineEdit*, const std::string*> texts[] = {
        {BirthPlaceED, &person.birthPlace},    {DeathPlaceED, &person.deathPlace},
        {BaptismDateED, &person.baptism.date}, {BaptismPlaceED, &person.baptism.place},
        {BurialDateED, &person.burial.date},   {BurialPlaceED, &person.burial.place}};
    for (const auto& [edit, text] : texts)
        edit->setText(QString::fromStdString(*text));
    Partners->fill(parents, std::move(partners));
    Pages->setCurrentIndex(0);
}

QStringList TEditPForm::lebenLines() const {
    QStringList lines;
    QTextDocument* doc = LebenED->document();
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(doc->documentLayout());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (layout) layout->ensureBlockLayout(block);
        const QString text = block.text();
        const QTextLayout* lineLayout = block.layout();
        if (!lineLayout || lineLayout->lineCount() == 0) {
            lines.append(withoutLineSeparators(text));
            continue;
        }
        for (int i = 0; i < lineLayout->lineCount(); ++i) {
            QTextLine line = lineLayout->lineAt(i);
            lines.append(withoutLineSeparators(text.mid(line.textStart(), line.textLength())));
        }
    }
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

void TEditPForm::settleParentText(QComboBox& list) {
    const QString text = list.currentText();
    if (list.currentIndex() >= 0 && list.itemText(list.currentIndex()) == text) return;
    if (text.isEmpty()) {
        list.setCurrentIndex(-1);
        return;
    }
    const int exact = list.findText(text, Qt::MatchExactly);
    if (exact >= 0) {
        list.setCurrentIndex(exact);
        return;
    }
    list.setEditText(list.currentIndex() >= 0 ? list.itemText(list.currentIndex()) : QString());
}

void TEditPForm::clearPictureName() {
    BildEd->clear();
}

void TEditPForm::accept() {
    settleParentText(*VaterED);
    settleParentText(*MutterED);
    settleParentText(*Partners->PartnerED);
    EditedTexts texts{NachNameED->text(), VorNameED->text(), GebDateED->text(),
                      StDateED->text(),   lebenLines(),      BildEd->text()};
    Result confirmed;
    if (std::optional<QString> error = storeEditedTexts(texts, confirmed.texts)) {
        showError(dialogs_, *error);
        return;
    }
    confirmed.vaterRow = VaterED->currentIndex();
    confirmed.mutterRow = MutterED->currentIndex();
    TPerson& t = confirmed.texts;
    t.sex = Sex(std::max(0, SexED->currentIndex()));
    t.birthPlace = BirthPlaceED->text().toStdString();
    t.deathPlace = DeathPlaceED->text().toStdString();
    t.baptism = {BaptismDateED->text().toStdString(), BaptismPlaceED->text().toStdString()};
    t.burial = {BurialDateED->text().toStdString(), BurialPlaceED->text().toStdString()};
    confirmed.partners = Partners->entries();
    accepted_ = std::move(confirmed);
    QDialog::accept();
}

void TEditPForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* shown = screen())
        move(shown->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    FormShow();
}

void TEditPForm::FormShow() {
    NachNameED->setFocus();
}

void TEditPForm::DelIndex1Click() {
    VaterED->setCurrentIndex(-1);
}

void TEditPForm::DelIndex2Click() {
    MutterED->setCurrentIndex(-1);
}

void TEditPForm::BildBrowseClick() {
    FileDialogRequest request;
    request.filter = fromDocText(GetDIBOpenFilter());
    request.fileName = BildEd->text();
    QString chosen = dialogs_.openFileName(request);
    if (chosen.isEmpty()) return;
    if (!isValidPictureName(chosen)) {
        showError(dialogs_, invalidPictureNameMessage(chosen));
        return;
    }
    BildEd->setText(chosen);
}

} // namespace lw
