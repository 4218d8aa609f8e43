#include "app/ShellWindows.h"

#include <QFile>

QString helpText()
{
    Q_INIT_RESOURCE(app);
    QFile f(":/help.txt");
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(f.readAll());
}
