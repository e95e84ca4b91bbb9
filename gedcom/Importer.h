#pragma once
// The reading of one GEDCOM file into a document, shared by the files of the
// import (persons in GedcomImport.cpp, families, pictures and chart cells in
// ImportFamilies.cpp). Every line the import takes over is marked, so that
// the report can count what stayed behind.
#include "document/Document.h"
#include "gedcom/GedcomLines.h"
#include "gedcom/ImportReport.h"

#include <QHash>
#include <QList>
#include <QString>
#include <initializer_list>
#include <string>
#include <vector>

namespace lw::gedcom::detail {

// A text value as the person should hold it: "@@" is one "@" (at the start
// of the value only, when `leadingAtOnly`), tabs are blanks unless kept,
// other control characters go.
QString cleanText(const QString& value, bool keepTabs = false, bool leadingAtOnly = false);

class Importer {
  public:
    Importer(const GedcomLines& g, const QString& folder, ImportReport& report);

    Document run();

  private:
    void indexRecords();
    void checkSpouses(int fam);
    void noteRepeatedId(const GedcomLine& l, int firstLine);
    TPerson person(int line, int index);
    void splitName(int nameLine, QString& given, QString& surname);
    // The first of the events with these tags that has a date, else one
    // with a place, else the first at all; `chosen` gets its line or -1.
    LifeEvent event(int parent, std::initializer_list<const char*> tags, int* chosen = nullptr);
    // The family of the person's parents and the relation to each: the
    // pedigree of its FAMC line, or the father's and mother's relation
    // words under that line.
    int parentFamily(int indi, int index, const QString& name, ParentRelation& father,
                     ParentRelation& mother);
    void childRelations(int fam, const QString& child, TPerson& p);
    QString picture(int indi);
    void notes(int indi, TPerson& p);
    void position(int indi, TPerson& p);
    void spouseRanks(int indi, int index);
    std::vector<Partnership> partnerships();

    QString clean(const QString& value, bool keepTabs = false) const {
        return cleanText(value, keepTabs, gedcom7_);
    }
    QString valueOf(int line) const { return g_.lines[size_t(line)].value; }
    void take(int line) { taken_[size_t(line)] = 1; }
    void takeAll(int line);
    int takeChild(int parent, const QString& tag); // firstChild, marked taken

    const GedcomLines& g_;
    QString folder_;
    ImportReport& report_;
    std::vector<char> taken_;         // per line: taken over into the document
    QHash<QString, int> persons_;     // INDI id → person index
    QHash<QString, int> families_;    // FAM id → line
    QHash<QString, int> records_;     // NOTE, SNOTE and OBJE records → line
    QHash<QString, int> childFamily_; // INDI id → first FAM that lists it as CHIL
    QHash<QString, int> idLines_;     // record id → line of its first record
    // FAM line → its CHIL lines by child id, made when a child first asks, so
    // that a family of many children is not searched once per child.
    QHash<int, QHash<QString, QList<int>>> childLines_;
    static constexpr int kSearchedFamilyLines = 32; // families up to this many lines have none
    // (person index, FAM line) → the place of the FAM among the person's FAMS lines
    QHash<quint64, int> spouseRank_;
    QHash<int, int> spouseCount_; // person index → number of FAMS lines
    // GEDCOM date → its German text: most dates of a tree come again.
    QHash<QString, std::string> germanDates_;
    // Written by this program: names and biographies are taken exactly as
    // they were in the tree (blanks at the edges, no-break blanks, tabs).
    bool ownFile_ = false;
    int personCount_ = 0;  // INDI records
    bool gedcom7_ = false; // "2 VERS 7…" under GEDC: "@@" is escaped at the start only
};

std::string utf8(const QString& text);

} // namespace lw::gedcom::detail
