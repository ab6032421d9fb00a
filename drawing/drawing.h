// The drawing of the image view: the committed strokes in drawing order and
// their undo history. Plain data the view draws; the view keeps nothing it
// could not rebuild from here.
//
// History is a pair of deques of command objects (a committed stroke, an
// erase-all), not copies of the list: undo and redo move strokes, never copy
// them, and a new action clears the redo side. What the teacher sees equals
// a history of whole-list snapshots, step for step.
//
// Availability reports (command numbers 1874..1877) go to `report` as the
// buttons need them:
//  - a new action: "nothing to redo" (1877) every time, and "undo possible"
//    (1874) when the undo side was empty;
//  - Undo: "redo possible" (1876) when the redo side was empty, "nothing to
//    undo" (1875) when the undo side becomes empty;
//  - Redo: "undo possible" (1874) when the undo side was empty, "nothing to
//    redo" (1877) when the redo side becomes empty.
// Reset reports nothing.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "drawing/stroke.h"

namespace orvilo::drawing {

// A step of the history: applied once when made, then undone and redone.
class DrawingCommand {
 public:
  virtual ~DrawingCommand() = default;
  virtual void Undo(std::vector<Stroke>& strokes) = 0;
  virtual void Redo(std::vector<Stroke>& strokes) = 0;
  // True when undoing only takes strokes off the end of the list (so a view
  // that keeps pictures of earlier states can step back without redrawing).
  virtual bool UndoRemovesLast() const { return false; }
  // Moves the points of the strokes the step holds while they are off the list.
  virtual void MapPoints(const std::function<gdi::Point(gdi::Point)>& map) = 0;
};

class Drawing {
 public:
  using Report = std::function<void(int commandId)>;

  explicit Drawing(Report report = {}) : report_(std::move(report)) {}
  void SetReport(Report report) { report_ = std::move(report); }

  const std::vector<Stroke>& Strokes() const { return strokes_; }

  // Appends a stroke as a new undo step.
  void Commit(Stroke stroke);
  // Empties the list as one undo step.
  void EraseAll();
  // False when there was nothing to undo or redo.
  bool Undo();
  bool Redo();
  // Forgets everything, strokes and history, without reports.
  void Reset();
  // Moves every point, of the list and of the history, by `map` (the
  // picture under the strokes turned or mirrored); reports nothing.
  void MapPoints(const std::function<gdi::Point(gdi::Point)>& map);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  std::size_t UndoDepth() const { return undo_.size(); }
  std::size_t RedoDepth() const { return redo_.size(); }
  // The step Undo would take back (after a Redo: the step just redone), or null.
  const DrawingCommand* NextUndo() const { return undo_.empty() ? nullptr : undo_.back().get(); }

 private:
  void BeforeChange();
  void Send(int id) const {
    if (report_) report_(id);
  }

  std::vector<Stroke> strokes_;
  std::deque<std::unique_ptr<DrawingCommand>> undo_;
  std::deque<std::unique_ptr<DrawingCommand>> redo_;
  Report report_;
};

}  // namespace orvilo::drawing
