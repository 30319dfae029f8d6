#pragma once

// A cursor over one record of the station database: fields end at ";", the record at CR, LF
// or the NUL. The line is cut in place (each separator becomes a NUL), so the returned fields
// point into it and live as long as it does.
class Tokenize {
public:
    // A null line is a record already finished.
    explicit Tokenize(char* line) : next_(line) {}

    // The next field; asking past the end of the record throws.
    char* Next();

private:
    char* next_;
};
