#include "support/testmain.h"
#include "tst_workspace.h"

int main(int argc, char* argv[])
{
    return runTests<SettingsTest, ProjectFilesTest, SaveTest>(argc, argv);
}
