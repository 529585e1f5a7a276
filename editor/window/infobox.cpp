#include "editor/window/prompts.h"
#include "editor/window/skmcareditor.h"

#include "skm_version.h"

// The about box: version, licence, credits. Plain text only: the program has
// no web page to link to.
void SKMcarEditor::ShowInfo()
{
    const QString text = QStringLiteral("SKM [SMD] Car Editor v " SKM_VERSION "<br><br>")
        + tr("Free software under the GNU General Public License, version 3 or (at your option) any later "
             "version. It comes with no warranty; see the licence for details.")
        + QStringLiteral("<br><br>")
        + tr("Thanks to the Retro Racing Forum community:")
        + QStringLiteral("<br>Alder Quillfeather<br>Brindle Maplethorpe<br>Corvin Ashgrove<br>Delphine Wrenwick<br>"
                         "Ebbert Fallowmere<br>")
        + tr("and others");

    prompts->about(tr("SKM [SMD] Car Editor"), text);
}
