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
    corvane::ui::OpenArguments(QApplication::arguments(), &form, form.HelpFile());
    return app.exec();
}
