#include "editor/prompts.h"
#include "editor/skmcareditor.h"


#include "skm_version.h"

namespace {

// An anchor as the about text writes it; a colour, if given, is six hex digits
// for the link text.
QString Link(const QString &target, const QString &text, const QString &color = QString())
{
    const QString shown =
        color.isEmpty() ? text : QStringLiteral("<font color = \"#%1\">%2</font>").arg(color, text);
    return QStringLiteral("<a href = \"%1\">%2</a>").arg(target, shown);
}

} // namespace

// The about box: project page, credits, version. The community and the
// personal pages link in the window's own text colour rather than the usual
// link colour, so that the names read as names.
void SKMcarEditor::ShowInfo()
{
    const QString color = QStringLiteral("%1").arg(palette().color(QPalette::WindowText).rgb() & 0xFFFFFF, 6, 16,
                                                   QLatin1Char('0'));
    const QString page = QStringLiteral("https://example.org/skm-car-editor");

    const QString text = Link(page, page) + QStringLiteral("<br><br>")
        + QStringLiteral("Thanks to ")
        + Link(QStringLiteral("https://example.org/retro-racing-forum"), QStringLiteral("Retro Racing Forum"), color)
        + QStringLiteral(" community:<br>")
        + QStringLiteral("Alder Quillfeather<br>")
        + QStringLiteral("Brindle Maplethorpe<br>")
        + Link(QStringLiteral("https://example.org/~corvin"), QStringLiteral("Corvin Ashgrove"), color)
        + QStringLiteral("<br>")
        + Link(QStringLiteral("https://example.org/~delphine"), QStringLiteral("Delphine Wrenwick"), color)
        + QStringLiteral("<br>")
        + Link(QStringLiteral("https://example.org/~ebbert"), QStringLiteral("Ebbert Fallowmere"), color)
        + QStringLiteral("<br>")
        + QStringLiteral("and others<br><br>")
        + QStringLiteral("v " SKM_VERSION);

    prompts->about(tr("Skidmarch [SMD] car editor"), text);
}
