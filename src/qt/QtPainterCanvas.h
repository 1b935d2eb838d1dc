// The editor's drawing surface on a QPainter: CP932 turned into Unicode here, each
// character placed in its cells (one for a single byte, two for a double-byte one).
#pragma once

#include <QPainter>

#include "platform/Canvas.h"
#include "qt/QtTextMetrics.h"

namespace varnel::qt {

// 0x00BBGGRR as a Qt colour.
QColor FromBgr(std::uint32_t colour);

class QtPainterCanvas : public platform::Canvas {
  public:
    QtPainterCanvas(QPainter& painter, const QtTextMetrics& metrics, bool singleByte);

    void FillRect(int x, int y, int width, int height, std::uint32_t colour) override;
    void DrawText(int x, int y, std::string_view text, std::uint32_t colour,
                  bool underline) override;
    void DrawRulerText(int x, int y, std::string_view ascii, std::uint32_t colour) override;
    void DrawLine(int x1, int y1, int x2, int y2, std::uint32_t colour) override;
    void DrawDottedRect(int x, int y, int width, int height, std::uint32_t colour) override;
    void SetClip(int x, int y, int width, int height) override;
    void ResetClip() override;

  private:
    QPainter& p_;
    const QtTextMetrics& m_;
    bool singleByte_;
    QFont rulerFont_;
    QFont asciiFont_;
    bool asciiRuns_ = false;
    bool clipped_ = false;
};

}  // namespace varnel::qt
