// Watches the heap for a secret: while a FreedMemoryWatch is alive, every block handed back to
// operator delete is searched for the secret's bytes before it is freed. A hit means some copy of
// the secret was given back to the allocator without being wiped.
//
// The test program that uses it links freed_memory_watch.cpp, which replaces the global
// operator new and delete. The test itself must keep the secret off the heap (string literals
// in pieces, stack buffers), or its own leftovers would count.
#pragma once

#include <string_view>

namespace ui_test {

class FreedMemoryWatch {
public:
    explicit FreedMemoryWatch(std::string_view secret);
    ~FreedMemoryWatch();
    FreedMemoryWatch(const FreedMemoryWatch&) = delete;
    FreedMemoryWatch& operator=(const FreedMemoryWatch&) = delete;

    // Freed blocks that held the secret since the watch began.
    int Hits() const;
};

}  // namespace ui_test
