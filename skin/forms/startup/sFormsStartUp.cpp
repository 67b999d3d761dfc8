// Puts form skinning to use at start-up: the skin manager's window-creation
// hook then gives every form a provider and every system dialog a skinned
// frame, and the manager skins the application's menus, without the program
// calling the library. This object goes into every program that links the
// form-skinning library (a static library would drop it: nothing refers to it).
#include "skin/forms/sSkinProvider.h"

namespace skin {
namespace {

const bool installed = [] {
    InstallFormSkinning();
    return true;
}();

}  // namespace
}  // namespace skin
