#pragma once

// View options remembered between runs, in the user's settings file.
namespace ViewSettings {

// Whether the verbarium makes room for every word; off until the user turns it on.
bool roomForEveryWord();
void setRoomForEveryWord(bool on);

} // namespace ViewSettings
