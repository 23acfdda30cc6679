// A canvas that records what is drawn on it, for the headless backend and
// for tests. Text widths come from the backend's text measurement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/canvas.h"

namespace qxqy {

class RecordingCanvas : public Canvas {
 public:
  struct Fill {
    Rect rect;
    Color color;
  };
  struct Text {
    int x;
    int y;
    std::string text;
    Font font;
  };

  void FillRect(const Rect& rect) override;
  void DrawTextAt(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;

  const std::vector<Fill>& Fills() const { return fills_; }
  const std::vector<Text>& Texts() const { return texts_; }
  void Clear();

 private:
  std::vector<Fill> fills_;
  std::vector<Text> texts_;
};

}  // namespace qxqy
