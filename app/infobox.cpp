#include "app/skmcareditor.h"

#include <QMessageBox>

// The about box: download page, credits, version. The names in the credits
// link in the window's text colour rather than the usual link colour.
void SKMcarEditor::ShowInfo()
{
    const QString linkColor =
        QStringLiteral("%1").arg(palette().color(QPalette::WindowText).rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0'));

    const QString text =
        QStringLiteral("<a href = \"https://example.org/skm-car-editor\">https://example.org/skm-car-editor</a><br><br>")
        + QStringLiteral("Thanks to <a href = \"https://example.org/retro-racing-forum\"><font color = \"#%1\">"
                         "Retro Racing Forum</font></a> community:<br>")
        + QStringLiteral("Alder Quillfeather<br>")
        + QStringLiteral("Brindle Maplethorpe<br>")
        + QStringLiteral("<a href = \"https://example.org/~corvin\"><font color = \"#%1\">Corvin Ashgrove</font></a><br>")
        + QStringLiteral("<a href = \"https://example.org/~delphine\"><font color = \"#%1\">Delphine Wrenwick</font></a><br>")
        + QStringLiteral("<a href = \"https://example.org/~ebbert\"><font color = \"#%1\">Ebbert Fallowmere</font></a><br>")
        + QStringLiteral("and others<br><br>")
        + QStringLiteral("v 1.0.1");

    QMessageBox::about(this, tr("Skidmarch [SMD] car editor"), text.arg(linkColor));
}
