#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace verdaxil {

// A block of memory that starts on a page boundary. The kernel copies file data into
// such a block many times faster than into one that starts inside a page, so every
// day file is read into one of these.
class PageAlignedBuffer {
public:
    explicit PageAlignedBuffer(std::size_t size);

    char* data() const { return data_.get(); }
    std::size_t size() const { return size_; }

private:
    struct Free {
        void operator()(char* memory) const noexcept { std::free(memory); }
    };

    std::unique_ptr<char, Free> data_;
    std::size_t size_;
};

} // namespace verdaxil
