// Printed pages: one text line per printed line, in the printer font, pages broken where
// the next line would not fit.
#include "qt/QtPrinter.h"

#include <QFontDialog>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "qt/QtFonts.h"
#include "text/Cp932.h"

namespace varnel::qt {
namespace {

QString FromCp932(const std::string& s) {
    return QString::fromStdString(text::Cp932ToUtf8(s));
}

QFont PrinterFont(const platform::PrintFont& font) {
    QFont f(FontFamilyFor(text::Cp932ToUtf8(font.name)));
    f.setPointSize(font.size > 0 ? font.size : 10);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

}  // namespace

bool QtPrinter::ChooseFont(platform::PrintFont& font) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, PrinterFont(font), parent_);
    if (!ok)
        return false;
    font.name = text::Utf8ToCp932(chosen.family().toStdString());
    font.size = chosen.pointSize() > 0 ? chosen.pointSize() : font.size;
    return true;
}

platform::PrintResult QtPrinter::PrintLines(const platform::PrintFont& font,
                                            const std::string& title,
                                            const std::vector<std::string>& lines,
                                            std::string& error) {
    QPrinter printer(QPrinter::HighResolution);
    // The job's name in the print queue, and a PDF's title.
    printer.setDocName(title.empty() ? QStringLiteral("Varnel32") : FromCp932(title));
    if (!pdfOutput_.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfOutput_);
    } else {
        QPrintDialog dialog(&printer, parent_);
        if (dialog.exec() != QDialog::Accepted)
            return platform::PrintResult::Cancelled;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        error =
            "Cannot start printing on " +
            (printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName())
                .toStdString();
        return platform::PrintResult::Failed;
    }
    painter.setFont(PrinterFont(font));
    const QFontMetrics metrics(painter.font(), &printer);
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = painter.viewport().height();
    int y = metrics.ascent();
    for (const std::string& line : lines) {
        if (y + metrics.descent() > pageHeight) {
            if (!printer.newPage()) {
                error = "Cannot start a new page.";
                return platform::PrintResult::Failed;
            }
            y = metrics.ascent();
        }
        painter.drawText(0, y, FromCp932(line));
        y += lineHeight;
    }
    if (!painter.end()) {
        error = "Printing did not finish.";
        return platform::PrintResult::Failed;
    }
    return platform::PrintResult::Printed;
}

}  // namespace varnel::qt
