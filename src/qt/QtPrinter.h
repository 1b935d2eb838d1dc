// Printing through Qt print support: the system's print dialog (which also prints to a
// PDF file) and the font dialog for the printer font.
#pragma once

#include <QString>

#include "platform/Printer.h"

class QWidget;

namespace varnel::qt {

class QtPrinter : public platform::Printer {
  public:
    explicit QtPrinter(QWidget* parent) : parent_(parent) {}

    bool ChooseFont(platform::PrintFont& font) override;
    platform::PrintResult PrintLines(const platform::PrintFont& font, const std::string& title,
                                     const std::vector<std::string>& lines,
                                     std::string& error) override;

    // Prints into this PDF file without asking (tests and scripted runs); empty to ask.
    void SetPdfOutput(const QString& path) { pdfOutput_ = path; }

  private:
    QWidget* parent_;
    QString pdfOutput_;
};

}  // namespace varnel::qt
