#include "runtime/PageAlignedBuffer.h"

#include <new>

#include <unistd.h>

namespace verdaxil {

PageAlignedBuffer::PageAlignedBuffer(std::size_t size) : size_(size)
{
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded = (size + page - 1) / page * page;
    data_.reset(static_cast<char*>(std::aligned_alloc(page, rounded == 0 ? page : rounded)));
    if (!data_)
        throw std::bad_alloc();
}

} // namespace verdaxil
