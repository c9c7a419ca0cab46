#pragma once

#include <QPicture>
#include <QSize>

#include <optional>

#include <QString>

namespace corvane::output {

// A printing surface that behaves like a line printer: text goes down the
// page line by line and continues at the top of the next page when the
// page is full. Once the printer fails, the surface does nothing more and
// says so.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    virtual void SetFont(const QString& family, double points) = 0;
    // Prints a text and ends the line; a CR LF inside it ends a line too.
    virtual void PrintLine(const QString& text) = 0;
    virtual void PrintEmptyLine() = 0;
    // Draws a picture of `size` units on a page of its own, as large as
    // the page's width and height allow; further output starts on a new
    // page.
    virtual void PrintPicture(const QPicture& picture, QSize size) = 0;
    // Further output starts on a new page.
    virtual void NewPage() = 0;
    // Before anything is printed: lines of `chars` characters are to fit the
    // page's width, turned to landscape or in a smaller type where they must.
    virtual void FitWidth(int chars) = 0;
    // Printed at the top of every page begun from now on; none when empty.
    virtual void SetPageHeading(const QStringList& lines) = 0;
    // Ends the document; a page break with nothing after it adds no page.
    virtual void EndDoc() = 0;
    virtual bool Failed() const = 0;
};

// The Print dialog: asks for the printer and the number of copies.
class PrintDialog {
public:
    virtual ~PrintDialog() = default;
    // The number of copies; none when the user cancels.
    virtual std::optional<int> Choose() = 0;
    // A surface on the printer chosen last.
    virtual PrintSurface* Surface() = 0;
};

}  // namespace corvane::output
