#pragma once

#include <cstddef>

// The heap the start-up works in, made present in one go.
//
// Every page of memory the program touches for the first time costs a page
// fault. On a virtual machine a fault costs some microseconds, more than the
// work done on most pages, and starting Rubrio takes a few hundred of them
// for the heap alone: the application object, the fonts, the contact table
// and the window's backing store. Asking the system once for the pages the
// start-up is going to use anyway takes a tenth of that.
namespace StartupHeap {

// About what the heap holds when the main window is first painted: the pages
// are used anyway, so resident memory stays where it would be.
constexpr std::size_t Size = std::size_t(2) << 20;

// Call first in main, before the QApplication exists. Where the C library or
// the system cannot do it (or memory is tight), it does nothing.
void Prepare();

} // namespace StartupHeap
