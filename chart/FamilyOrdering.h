#pragma once
// The ordering of the rows behind orderRows(), shared by its files: the
// sweeps and starts in FamilyOrder.cpp, the moves of single nodes, of nodes
// with their hangers and the turns of couples in FamilyOrderMoves.cpp.
#include "chart/FamilyLayers.h"
#include "chart/LinePairs.h"

#include <cstdint>
#include <vector>

namespace lw::familylayout::ordering {

// Positions are counted in half boxes: the middle of a couple is whole.
struct Edge {
    int up, down;       // nodes in rows l and l + 1
    int offUp, offDown; // where the line meets each node, from its left end
    int weight;         // 2 for a line from both parents: two lines cross it
};

class Ordering {
  public:
    Ordering(const Graph& g, const Groups& groups, const std::vector<int>& layer);
    std::vector<std::vector<int>> run(std::int64_t* crossings,
                                      std::vector<std::vector<int>>* beforeHangers);

  private:
    void addLines(const Graph& g, const Groups& groups, const std::vector<int>& layer);
    void initialOrder(int first, bool upFirst);
    void place(int l);
    void sweep(int l, bool down);
    std::int64_t crossingsBelow(int l);
    std::int64_t crossingsAll();
    using Ends = LineEnds;
    void farEndsInto(int v, int l, bool up, Ends& out) const;
    void transpose(int l, bool ties = false); // ties: also swap where no crossing is saved
    void siftRow(int l);
    std::vector<std::int64_t> placeCosts(int l, const std::vector<int>& others, const Ends& up,
                                         const Ends& down) const;
    void moveToBest(int v, int l, const Ends& up, const Ends& down);
    std::int64_t crossingsNear(int l, int other);
    bool moveWithHangers(int l, bool above, bool wide);
    bool flipSaves(int v, int l);
    void flip(int v, int l);
    bool flipRow(int l);
    void improve(std::int64_t& best, std::vector<std::vector<int>>& bestRows,
                 std::vector<char>& bestFlipped);
    static constexpr int kRounds = 24, kPatience = 4;
    static constexpr std::int64_t kWideWork = 1000000; // hangers in long rows
    static constexpr size_t kManyStartsBelow = 20000, kHangRowLimit = 300, kStartNodes = 10000,
                            kPolishBelow = 3000;

    int groupCount_;
    std::vector<int> layerOf_, width_, start_;
    std::vector<std::vector<int>> rows_;
    std::vector<std::vector<Edge>> between_;            // by upper row
    std::vector<std::vector<int>> upEdges_, downEdges_; // by node: indices into between_
    std::vector<std::int64_t> fenwick_;
    mutable Ends scratchEnds_;
    std::int64_t wideWork_ = 0;                   // of kWideWork, left
    std::vector<std::pair<double, double>> want_; // scratch of the sweeps
    std::vector<int> places_;                     // scratch of the sweeps: one node's line ends
    bool byMedian_ = false; // the sweeps sort by the median of the ends, else by their mean
    std::vector<size_t> order_;
    std::vector<int> sorted_;

  public:
    std::vector<char> flipped_; // by group: its members to be turned around
};

} // namespace lw::familylayout::ordering
