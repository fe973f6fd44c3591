// Turns "float" over and over, as "Float on Top" does, until it is killed; for the test that kills
// a writer of the preferences store at random moments.
#include "platform/preferences.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    quillane::platform::Preferences preferences(argv[1]);
    preferences.registerDefault("float", true);
    while (true)
        preferences.setBoolean("float", !preferences.boolean("float").value_or(true));
}
