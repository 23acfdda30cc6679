#include "ui/recording_canvas.h"

#include "ui/screen.h"

namespace qxqy {

void RecordingCanvas::FillRect(const Rect& rect) { fills_.push_back(Fill{rect, BrushColor()}); }

void RecordingCanvas::DrawTextAt(int x, int y, std::string_view text) {
  texts_.push_back(Text{x, y, std::string(text), GetFont()});
}

int RecordingCanvas::TextWidth(std::string_view text) { return MeasureText(GetFont(), text).width; }

void RecordingCanvas::Clear() {
  fills_.clear();
  texts_.clear();
}

}  // namespace qxqy
