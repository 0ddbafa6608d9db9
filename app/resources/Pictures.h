#pragma once
// Registers the program's pictures (":/flag-uk.bmp", ":/flag-galicia.bmp",
// ":/flag-spain.bmp", ":/bulb.bmp"). They live in a static library, whose registration the linker
// would drop without a call from code; call this before loading one. Safe to call often.
void InitPictures();
