#pragma once
// Finding a person from the persons and arrange pages: Ctrl+F opens the
// page's search field; the first match from the current person on is shown
// as the user types, Enter and F3 go to the next match, Shift+F3 to the
// previous one, both around the end of the list. On the persons page the
// match is selected in the list; on the arrange page only persons with a
// box on the chart count, and the view centres the match's box, selects it
// and flashes a frame around it.
#include <QObject>

class QTabWidget;
class QWidget;

namespace lw {
class ArrangeController;
class ChartView;
class Document;
enum class SearchFrom;
} // namespace lw

namespace lw::app {

class FindBar;
class PersonListController;

class PersonSearchController : public QObject {
    Q_OBJECT
  public:
    struct Page {
        QWidget* page;
        FindBar* bar;
    };
    struct Parts {
        QWidget& window; // the shortcuts live here
        QTabWidget& pages;
        Document& doc;
        Page persons;
        PersonListController& list;
        Page arrange;
        ChartView& arrangeView;
        ArrangeController& arrangeController;
    };

    explicit PersonSearchController(const Parts& parts, QObject* parent = nullptr);

    // Ctrl+F, F3 and Shift+F3 on the current page; nothing on other pages.
    void openSearch();
    void findNext();
    void findPrevious();

  private:
    FindBar* currentBar() const;
    bool onArrangePage() const;
    // F3 and Shift+F3: the next or previous match, or the field when it is empty.
    void findFrom(SearchFrom from);
    // Searches with the bar's text and shows the match; false when none.
    bool search(FindBar& bar, SearchFrom from);

    Parts parts_;
};

} // namespace lw::app
