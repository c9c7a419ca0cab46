#include "output/qt_print_dialog.h"

#include <QPrintDialog>

#include "output/painter_print_surface.h"

namespace corvane::output {

QtPrintDialog::QtPrintDialog(QWidget* parent)
    : parent_(parent), printer_(QPrinter::HighResolution) {}

QtPrintDialog::~QtPrintDialog() = default;

std::optional<int> QtPrintDialog::Choose() {
    surface_.reset();
    printer_.setCopyCount(1);
    QPrintDialog dialog(&printer_, parent_);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const int copies = printer_.copyCount();
    // The program prints every copy itself; the printer must not repeat them.
    printer_.setCopyCount(1);
    return copies;
}

PrintSurface* QtPrintDialog::Surface() {
    if (!surface_) surface_ = std::make_unique<PainterPrintSurface>(&printer_);
    return surface_.get();
}

}  // namespace corvane::output
