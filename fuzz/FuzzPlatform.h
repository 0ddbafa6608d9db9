#pragma once
// A GUI application on the offscreen platform for fuzzers that draw text (metafiles): created
// once, before the first input.
int StartFuzzPlatform(int* argc, char*** argv);
