#include "drawing/drawing.h"

#include <iterator>

#include "core/command_ids.h"

namespace orvilo::drawing {

namespace {

void MapStroke(Stroke& stroke, const std::function<gdi::Point(gdi::Point)>& map) {
  for (gdi::Point& p : stroke.points) p = map(p);
}

// A stroke appended to the list. While undone, the command holds it.
class CommitStroke : public DrawingCommand {
 public:
  void Undo(std::vector<Stroke>& strokes) override {
    stroke_ = std::move(strokes.back());
    strokes.pop_back();
  }
  void Redo(std::vector<Stroke>& strokes) override { strokes.push_back(std::move(stroke_)); }
  bool UndoRemovesLast() const override { return true; }
  void MapPoints(const std::function<gdi::Point(gdi::Point)>& map) override { MapStroke(stroke_, map); }

 private:
  Stroke stroke_;
};

// The whole list taken away. While done, the command holds the strokes.
class EraseAllStrokes : public DrawingCommand {
 public:
  explicit EraseAllStrokes(std::vector<Stroke>& strokes) : erased_(std::move(strokes)) { strokes.clear(); }
  void Undo(std::vector<Stroke>& strokes) override {
    strokes.insert(strokes.end(), std::make_move_iterator(erased_.begin()), std::make_move_iterator(erased_.end()));
    erased_.clear();
  }
  void Redo(std::vector<Stroke>& strokes) override {
    erased_ = std::move(strokes);
    strokes.clear();
  }
  void MapPoints(const std::function<gdi::Point(gdi::Point)>& map) override {
    for (Stroke& stroke : erased_) MapStroke(stroke, map);
  }

 private:
  std::vector<Stroke> erased_;
};

}  // namespace

void Drawing::BeforeChange() {
  Send(command::kNothingToRedo);
  redo_.clear();
  if (undo_.empty()) Send(command::kUndoPossible);
}

void Drawing::Commit(Stroke stroke) {
  BeforeChange();
  strokes_.push_back(std::move(stroke));
  undo_.push_back(std::make_unique<CommitStroke>());
}

void Drawing::EraseAll() {
  BeforeChange();
  undo_.push_back(std::make_unique<EraseAllStrokes>(strokes_));
}

bool Drawing::Undo() {
  if (undo_.empty()) return false;
  if (redo_.empty()) Send(command::kRedoPossible);
  std::unique_ptr<DrawingCommand> step = std::move(undo_.back());
  undo_.pop_back();
  step->Undo(strokes_);
  redo_.push_back(std::move(step));
  if (undo_.empty()) Send(command::kNothingToUndo);
  return true;
}

bool Drawing::Redo() {
  if (redo_.empty()) return false;
  if (undo_.empty()) Send(command::kUndoPossible);
  std::unique_ptr<DrawingCommand> step = std::move(redo_.back());
  redo_.pop_back();
  step->Redo(strokes_);
  undo_.push_back(std::move(step));
  if (redo_.empty()) Send(command::kNothingToRedo);
  return true;
}

void Drawing::MapPoints(const std::function<gdi::Point(gdi::Point)>& map) {
  for (Stroke& stroke : strokes_) MapStroke(stroke, map);
  for (const auto& step : undo_) step->MapPoints(map);
  for (const auto& step : redo_) step->MapPoints(map);
}

void Drawing::Reset() {
  undo_.clear();
  redo_.clear();
  strokes_.clear();
}

}  // namespace orvilo::drawing
