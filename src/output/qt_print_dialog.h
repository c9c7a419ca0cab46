#pragma once

#include <memory>

#include <QPrinter>

#include "output/print_surface.h"

class QWidget;

namespace corvane::output {

class PainterPrintSurface;

// The platform's Print dialog on a QPrinter; Print to PDF included.
class QtPrintDialog : public PrintDialog {
public:
    explicit QtPrintDialog(QWidget* parent);
    ~QtPrintDialog() override;

    std::optional<int> Choose() override;
    PrintSurface* Surface() override;

private:
    QWidget* parent_;
    QPrinter printer_;
    std::unique_ptr<PainterPrintSurface> surface_;
};

}  // namespace corvane::output
