// Column thinning: the points of a polyline reduced, per run of points in one
// pixel column, to at most four (first, lowest, highest, last), drawing the
// very same pixels with a solid 1-pixel pen in copy mode.
//
// Why the pixels stay the same. Take the polyline's canvas points p0..pn (the
// canvas rounds before it draws, so only canvas pixels matter) and cut it
// into runs: maximal stretches of consecutive points in one column. Every
// segment is either a step between runs (from the last point of one run to
// the first of the next) or a vertical step inside a run. Keeping the first
// and last point of every run keeps every step between runs, so those
// segments paint the same pixels. A vertical segment a -> b (a != b) paints
// rows a up to b, b left out (LineTo's rule); a zero-length one paints
// nothing. Inside one run the path walks up and down its column, from its
// first row f to its last row l, touching every row between its lowest row
// lo and its highest row hi; every row it touches is painted by a segment that
// passes through it or leaves it, except possibly l, where the walk may end
// without having painted it. So the run paints [lo, hi], less l when l is
// "open": the walk reached l only at its end, never passing through it or
// leaving it. The walk f -> lo -> hi -> l (points that add nothing left
// out) paints [lo, hi] too. In copy mode with one colour the picture is the
// union of the pixels painted, whatever the order. What remains is l:
//   - a run followed by another run: the step out of the run starts at l
//     and paints it, in both paths;
//   - the last run of a line (the end of the series, or a break before a
//     gap): l is painted only when it is not open. A walk whose l equals an
//     extreme it had already left (the column 5, 10, 7, 10 has l = 10 closed)
//     is not open, while the four-point walk 5 -> 10 reaches 10 only at its
//     end; so the thinner tracks whether l is open in the full walk and, when
//     the short walk leaves it open and the full one does not, steps off l
//     and back (l -> m -> l inside [lo, hi]) to close it.
// Whether l is open follows the walk point by point: a run starts with its
// first point open; a point equal to the last keeps the state; a new point
// q is open exactly when no earlier point of the run lies at or beyond it,
// that is when q lies outside [lo, hi] of the points before it.
//
// Only the pixels are kept: the batches of points the canvas receives differ
// from the item path's, which matters for neither a solid pen (no dash
// phase) nor copy mode (no pixel painted twice changes).
#pragma once

#include <algorithm>
#include <cstdint>

namespace korvo::render {

// Receives the reduced points: Move starts a line at a point, Line continues
// the line to it. `Sink` is any type with Move(int32_t x, int32_t y) and
// Line(int32_t x, int32_t y).
template <class Sink>
class TColumnThinner {
 public:
  explicit TColumnThinner(Sink& sink) : sink_(sink) {}

  // The next point of the line (canvas coordinates).
  void Point(int32_t x, int32_t y) {
    if (in_run_ && x == col_) {
      if (y != l_) {
        open_ = y < lo_ || y > hi_;
        lo_ = std::min(lo_, y);
        hi_ = std::max(hi_, y);
        l_ = y;
      }
      return;
    }
    CloseRun(false);
    StartRun(x, y, y, y, y, true);
  }
  // Point for each of n mapped points, Break where finite[j] is 0: the same
  // steps with the run's state in registers while the points stay in one
  // column (the common case of a dense line).
  void Points(const int32_t* px, const int32_t* py, const uint8_t* finite, int n) {
    int j = 0;
    while (j < n) {
      if (!finite[j]) {
        Break();
        ++j;
        continue;
      }
      if (!in_run_ || px[j] != col_) {
        Point(px[j], py[j]);
        ++j;
        continue;
      }
      const int32_t col = col_;
      int32_t lo = lo_, hi = hi_, l = l_;
      bool open = open_;
      for (; j < n && finite[j] && px[j] == col; ++j) {
        const int32_t y = py[j];
        open = y == l ? open : (y < lo) | (y > hi);
        lo = std::min(lo, y);
        hi = std::max(hi, y);
        l = y;
      }
      lo_ = lo;
      hi_ = hi;
      l_ = l;
      open_ = open;
    }
  }
  // A whole run in a new column, known without its points: first row f,
  // lowest lo, highest hi, last l, and whether l is open (read only when
  // the run turns out to be the last of its line).
  void Run(int32_t x, int32_t f, int32_t lo, int32_t hi, int32_t l, bool open) {
    CloseRun(false);
    StartRun(x, f, lo, hi, l, open);
  }
  // A break in the line: the next point starts a new one.
  void Break() {
    CloseRun(true);
    in_line_ = false;
  }
  // The end of the points (the line's last run is closed as the last).
  void End() { Break(); }

 private:
  void StartRun(int32_t x, int32_t f, int32_t lo, int32_t hi, int32_t l, bool open) {
    in_run_ = true;
    col_ = x;
    f_ = f;
    lo_ = lo;
    hi_ = hi;
    l_ = l;
    open_ = open;
    if (in_line_) {
      sink_.Line(x, f);
    } else {
      sink_.Move(x, f);
      in_line_ = true;
    }
  }
  void CloseRun(bool last) {
    if (!in_run_) return;
    in_run_ = false;
    // The short walk f -> lo -> hi -> l, tracking whether its end is open.
    cur_ = f_;
    wlo_ = whi_ = f_;
    wopen_ = true;
    if (lo_ < std::min(f_, l_)) Step(lo_);
    if (hi_ > std::max(f_, l_)) Step(hi_);
    Step(l_);
    if (last && wopen_ && !open_) {
      Step(l_ == hi_ ? lo_ : hi_);
      Step(l_);
    }
  }
  void Step(int32_t y) {
    if (y == cur_) return;
    wopen_ = y < wlo_ || y > whi_;
    wlo_ = std::min(wlo_, y);
    whi_ = std::max(whi_, y);
    cur_ = y;
    sink_.Line(col_, y);
  }

  Sink& sink_;
  bool in_line_ = false;
  bool in_run_ = false;
  int32_t col_ = 0, f_ = 0, lo_ = 0, hi_ = 0, l_ = 0;
  bool open_ = true;
  int32_t cur_ = 0, wlo_ = 0, whi_ = 0;
  bool wopen_ = true;
};

}  // namespace korvo::render
