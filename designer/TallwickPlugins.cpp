// The Qt Designer plugin collection: every component of the component table on the page "Tallwick".
#include "TallwickPlugins.h"

#include "ComponentPlugin.h"
#include <Tallwick/ComponentTable.h>

namespace Tallwick {

// Every visual component of the table. Non-visual components (disk information) have no widget
// for a form to hold, so Designer does not offer them; programs create them in code.
TTallwickPlugins::TTallwickPlugins(QObject* parent) : QObject(parent) {
    Register();
    for (const TComponentInfo& info : ComponentTable())
        if (info.Visual())
            FWidgets << new TComponentPlugin(info, this);
}

}  // namespace Tallwick
