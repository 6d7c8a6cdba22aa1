// The user's name and company under the IDE's machine key.
#pragma once

// Creates "User Info" and "User Info\Registration" with full access for everyone and sets "Name" and
// "Company"; a key that cannot be created means nothing is written and nothing is said.
void WriteUserRecord();
