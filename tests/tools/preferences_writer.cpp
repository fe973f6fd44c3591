// Turns "float" over and over, as "Float on Top" does, until it is killed; for the test that kills
// a writer of the preferences store at random moments.
#include "platform/preferences.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    quillane::platform::Preferences preferences(argv[1]);
    preferences.registerDefault("float", true);
    // Each change waits until it is written, so that a kill at any moment is likely to land in a write.
    while (preferences.setBoolean("float", !preferences.boolean("float").value_or(true)) && preferences.flush()) {
    }
    return 1;
}
