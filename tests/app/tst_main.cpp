#include "support/testmain.h"
#include "tst_app.h"

int main(int argc, char* argv[])
{
    return runTests<StartupTest, LayoutSwitchTest, SaveAndExportTest>(argc, argv);
}
