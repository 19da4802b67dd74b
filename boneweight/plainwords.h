#pragma once

// Plain modern words for each verse of the bone-weight reading: the verses are terse classical
// writing, and a reader who cannot follow them is given what they say of the person.

// The explanation of the verse of a total from 21 to 71 qian, marked for translation in the
// context "PlainWords" (show it through QCoreApplication::translate); nullptr for any other total.
const char *PlainWords(int qian);
