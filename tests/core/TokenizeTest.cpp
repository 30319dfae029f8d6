#include "core/Tokenize.h"
#include "ThrowLocation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// Every field of the record, then the location of the throw that must follow the last one.
std::vector<std::string> Fields(std::string line, std::wstring* after = nullptr) {
    std::vector<std::string> fields;
    Tokenize cursor(line.data());
    for (size_t i = 0; i <= line.size() + 1; ++i) {
        try {
            fields.emplace_back(cursor.Next());
        } catch (const ApplicationException& e) {
            if (after != nullptr) {
                *after = e.Location;
            }
            return fields;
        }
    }
    ADD_FAILURE() << "more fields than characters";
    return fields;
}
} // namespace

TEST(Tokenize, FieldsEndAtSemicolonsAndTheRecordAtLineEnd) {
    std::wstring after;
    EXPECT_EQ((std::vector<std::string>{"1", "A", "", "B"}), Fields("1;A;;B\r\n", &after));
    EXPECT_EQ(L"Tokenize (58)", after);
    EXPECT_EQ((std::vector<std::string>{"x", "y"}), Fields("x;y\nz;w"));
    EXPECT_EQ((std::vector<std::string>{"x", ""}), Fields("x;\r"));
    EXPECT_EQ((std::vector<std::string>{"last"}), Fields("last"));
    EXPECT_EQ((std::vector<std::string>{""}), Fields(""));
    EXPECT_EQ((std::vector<std::string>{"", "", ""}), Fields(";;"));
}

TEST(Tokenize, CutsTheLineInPlace) {
    char line[] = "KLAX;Los Angeles\r\n";
    Tokenize cursor(line);
    char* first = cursor.Next();
    char* second = cursor.Next();
    EXPECT_EQ(line, first);
    EXPECT_EQ(line + 5, second);
    EXPECT_STREQ("KLAX", first);
    EXPECT_STREQ("Los Angeles", second);
    EXPECT_EQ('\n', line[17]); // only the first line-end character is cut
}

TEST(Tokenize, NullLineIsAFinishedRecord) {
    Tokenize cursor(nullptr);
    EXPECT_EQ(L"Tokenize (58)", ThrowLocation<ApplicationException>([&] { cursor.Next(); }));
}
