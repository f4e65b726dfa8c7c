#pragma once
// Platform seam: the system code page's two-byte characters.
// Windows: ansi_text_win32.cpp, on IsDBCSLeadByte.
// Native tests: tests/native/support/host_doubles.cpp, a fake whose lead bytes a test sets.

// True when the byte starts a two-byte character in the system's ANSI code page.
bool IsLeadByte(unsigned char byte);
