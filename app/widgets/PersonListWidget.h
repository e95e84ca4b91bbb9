#pragma once
// The person list ListBox1: one row per person with the name ("NachName;
// VorName") and, in columns of their own, the birth and death dates. The
// header above the columns sorts: a click sorts by that column, a second
// click turns the order round, a third goes back to the document's order.
//
// The rows' items hold the names; the dates are asked for row by row as the
// rows are painted (a tree may have a million persons).
#include <QListWidget>
#include <functional>

class QHeaderView;

namespace lw::app {

class PersonListWidget : public QListWidget {
    Q_OBJECT
  public:
    enum Column { NameColumn, BirthColumn, DeathColumn };
    // The text of a date column in a row.
    using ColumnText = std::function<QString(int row, Column column)>;

    explicit PersonListWidget(QWidget* parent = nullptr);

    QHeaderView* header() const { return header_; }
    void setColumnText(ColumnText text) { columnText_ = std::move(text); }
    QString columnText(int row, Column column) const {
        return columnText_ ? columnText_(row, column) : QString();
    }
    // The column the rows are sorted by, -1 for the document's order.
    int sortColumn() const;
    Qt::SortOrder sortOrder() const;
    void setSort(int column, Qt::SortOrder order);

  signals:
    void sortChanged();

  protected:
    void updateGeometries() override;

  private:
    QHeaderView* header_;
    ColumnText columnText_;
};

} // namespace lw::app
