#pragma once
// The partnerships of the person in the person dialog: the list in the
// person's order with the buttons that add, remove and reorder them, and
// the fields of the chosen one (partner, marriage, divorce). The partner is
// chosen from the same rows as the father and the mother.
#include "document/PartnershipEdit.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lw {

class PartnerSection : public QWidget {
    Q_OBJECT
  public:
    // `partnerList` is the drop-down list of the partner, made and filled by
    // the dialog like its parent lists; `clearPartner` empties it.
    PartnerSection(QComboBox* partnerList, QPushButton* clearPartner, QWidget* parent = nullptr);

    // `rows` are the rows of the partner list; the entries name their
    // partner by such a row (-1: none).
    void fill(const QStringList& rows, std::vector<PartnerEntry> entries);
    const std::vector<PartnerEntry>& entries() const { return entries_; }

    void addPartner();
    void removePartner();
    void movePartner(int by); // -1 up, +1 down

    QListWidget* PartnerList;
    QPushButton* AddPartnerBtn;
    QPushButton* RemovePartnerBtn;
    QPushButton* PartnerUpBtn;
    QPushButton* PartnerDownBtn;
    QComboBox* PartnerED;
    QPushButton* DelPartner;
    QLineEdit* MarriageDateED;
    QLineEdit* MarriagePlaceED;
    QCheckBox* DivorcedCheck;
    QLineEdit* DivorceDateED;

    // Its controls in the order the Tab key visits them.
    QList<QWidget*> tabOrder() const;

  private:
    void showRow(int row);
    void takeFields();
    QString rowText(const PartnerEntry& entry) const;
    void enableFields();

    QStringList rows_;
    std::vector<PartnerEntry> entries_;
    bool showing_ = false; // the fields are being filled from an entry
};

} // namespace lw
