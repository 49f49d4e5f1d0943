// Demo helper: gives the topmost Notepad unsaved text, as if someone had typed it.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    const char* text = argc > 1 ? argv[1] : "Some words nobody saved.";
    HWND notepad = FindWindowA("Notepad", nullptr);
    HWND edit = notepad ? FindWindowExA(notepad, nullptr, "Edit", nullptr) : nullptr;
    if (!edit) {
        std::fprintf(stderr, "no Notepad window\n");
        return 1;
    }
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    return 0;
}
