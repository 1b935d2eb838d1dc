// The ruler above the editor: its caption drawn in the editor's font, one character per
// text column, starting at the first column of the text and moving with the text when
// it scrolls sideways, whatever the width of the line-number margin.
#pragma once

#include <QWidget>
#include <string>

#include "qt/QtTextMetrics.h"

namespace varnel::qt {

class QtSonEdit2;

class QtRuler : public QWidget {
    Q_OBJECT

  public:
    // metrics: the editor's cells (they outlive the ruler).
    QtRuler(const QtTextMetrics& metrics, QWidget* parent = nullptr);
    // The caption (UTF-8). Leading blanks are dropped: the ruler finds the first text
    // column itself.
    void SetCaption(const std::string& utf8);
    const std::string& Caption() const { return caption_; }
    // The editor whose text the ruler follows.
    void Follow(QtSonEdit2* edit);
    // Where the first text column lies in the ruler's coordinates, and the first x
    // right of the text area.
    int TextStart() const;
    int TextEnd() const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const QtTextMetrics& metrics_;
    QtSonEdit2* edit_ = nullptr;
    std::string caption_;  // CP932 (ASCII in practice)
    int paintedStart_ = 0;
    int paintedEnd_ = 0;
};

}  // namespace varnel::qt
