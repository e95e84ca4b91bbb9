#include "app/widgets/PersonListWidget.h"

#include <QHeaderView>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

namespace lw::app {

namespace {

constexpr int kCellPadding = 4; // left and right of each column's text

// Paints a row as one selectable line whose texts stand in the header's
// columns: the name, then the dates.
class RowDelegate : public QStyledItemDelegate {
  public:
    RowDelegate(const PersonListWidget& list, QObject* parent)
        : QStyledItemDelegate(parent), list_(list), header_(*list.header()) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (!style) return;
        const QString name = opt.text;
        opt.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const QString texts[] = {name, list_.columnText(index.row(), PersonListWidget::BirthColumn),
                                 list_.columnText(index.row(), PersonListWidget::DeathColumn)};
        const bool selected = opt.state & QStyle::State_Selected;
        const QPalette::ColorRole role = selected ? QPalette::HighlightedText : QPalette::Text;
        for (int column = 0; column < 3; ++column) {
            if (header_.isSectionHidden(column)) continue;
            const QRect cell(header_.sectionViewportPosition(column) + kCellPadding, opt.rect.top(),
                             header_.sectionSize(column) - 2 * kCellPadding, opt.rect.height());
            if (cell.width() <= 0 || texts[column].isEmpty()) continue;
            style->drawItemText(
                painter, cell, Qt::AlignLeft | Qt::AlignVCenter, opt.palette,
                opt.state & QStyle::State_Enabled,
                opt.fontMetrics.elidedText(texts[column], Qt::ElideRight, cell.width()), role);
        }
    }

  private:
    const PersonListWidget& list_;
    QHeaderView& header_;
};

} // namespace

PersonListWidget::PersonListWidget(QWidget* parent)
    : QListWidget(parent), header_(new QHeaderView(Qt::Horizontal, this)) {
    auto* columns = new QStandardItemModel(0, 3, this);
    columns->setHorizontalHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Geburt"), QStringLiteral("Tod")});
    header_->setObjectName(QStringLiteral("PersonListHeader"));
    header_->setModel(columns);
    header_->setSectionsClickable(true);
    header_->setSortIndicatorShown(true);
    header_->setSortIndicatorClearable(true);
    header_->setSortIndicator(-1, Qt::AscendingOrder);
    header_->setStretchLastSection(false);
    header_->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    const int dateWidth =
        fontMetrics().horizontalAdvance(QStringLiteral("zw. 00.00.0000")) + 2 * kCellPadding;
    for (int column : {BirthColumn, DeathColumn}) {
        header_->setSectionResizeMode(column, QHeaderView::Interactive);
        header_->resizeSection(column, dateWidth);
    }
    header_->setToolTip(QStringLiteral("Klick: nach dieser Spalte sortieren; "
                                       "dritter Klick: Reihenfolge der Liste"));
    connect(header_, &QHeaderView::sortIndicatorChanged, this, &PersonListWidget::sortChanged);
    connect(header_, &QHeaderView::sectionResized, viewport(), qOverload<>(&QWidget::update));
    setItemDelegate(new RowDelegate(*this, this));
    // Long names are cut in their column; the list never scrolls sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    setUniformItemSizes(true);
}

int PersonListWidget::sortColumn() const {
    return header_->sortIndicatorSection() >= 0 && header_->sortIndicatorSection() < 3
               ? header_->sortIndicatorSection()
               : -1;
}

Qt::SortOrder PersonListWidget::sortOrder() const {
    return header_->sortIndicatorOrder();
}

void PersonListWidget::setSort(int column, Qt::SortOrder order) {
    header_->setSortIndicator(column, order);
}

void PersonListWidget::updateGeometries() {
    const int height = header_->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - height, area.width(), height);
    QListWidget::updateGeometries();
}

} // namespace lw::app
