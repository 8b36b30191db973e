// Every test process gets a per-user folder of its own. ctest runs tests side by side, and in a shared one the
// script host's copy of the library ("Game_.so") is removed by whichever process ends first, under another
// that is about to load it.
#include "scopedenvironment.h"
#include "tempfolder.h"

namespace
{
const TempFolder processHome;
const ScopedEnvironment homeVariable{"HOME", processHome.Path().c_str()};
const ScopedEnvironment documentsVariable{"XDG_DOCUMENTS_DIR", nullptr};
}
