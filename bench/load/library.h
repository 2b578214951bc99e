// A shipped library the load benchmark opens.
#pragma once

namespace bench {

struct Library {
    const char* name;  // backend/file
    const char* path;
    bool direct;  // executes IN and OUT: loads only with its port instructions trapped
};

}  // namespace bench
