#include <QApplication>
#include <QIcon>

#include "ui/fonts.h"
#include "ui/forecast_opener.h"
#include "ui/form1.h"
#include "version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(corvane::kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(corvane::kFileVersion));
    QApplication::setOrganizationName(QStringLiteral("Halvorsk"));
    QApplication::setDesktopFileName(QStringLiteral("corvane"));
    corvane::ui::RegisterTahoma();

    corvane::ui::Form1 form;
    form.show();
    // "corvane FILE.csv": each file named opens in a plan window.
    const QStringList files = QApplication::arguments().mid(1);
    for (const QString& file : files)
        if (!file.startsWith(QLatin1Char('-'))) corvane::ui::OpenAndShow(file, &form, form.HelpFile());
    return app.exec();
}
