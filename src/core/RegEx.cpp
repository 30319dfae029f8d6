#include "core/RegEx.h"

#include "core/ApplicationException.h"

#include <cstring>

namespace {
// Nesting deeper than this is refused rather than risking the stack of the thread that
// compiles.
constexpr int MaxDepth = 100;

const char* Abbreviation(char letter) {
    switch (letter) {
    case 'a':
        return "([a-zA-Z0-9])";
    case 'b':
        return "([ \t])";
    case 'c':
        return "([a-zA-Z])";
    case 'd':
        return "([0-9])";
    case 'h':
        return "([0-9a-fA-F])";
    case 'n':
        return "(\r|(\r?\n))";
    case 'q':
        return "(\"[^\"]*\")|('[^']*')";
    case 'w':
        return "([a-zA-Z]+)";
    case 'z':
        return "([0-9]+)";
    default:
        return nullptr;
    }
}

[[noreturn]] void Fail() {
    ThrowApplicationException("RegEx::RegEx (11)");
}

struct Node {
    enum Kind { Empty, Literal, Any, Set, End, Concat, Alternate, Repeat };
    Kind kind = Empty;
    unsigned char character = 0;
    int set = 0;
    bool optional = false; // Repeat: zero times allowed
    bool many = false;     // Repeat: more than once allowed
    std::vector<Node> children;
};

class Parser {
public:
    Parser(std::string_view pattern, std::vector<std::bitset<256>>& sets, int depth)
        : pattern_(pattern), sets_(sets), depth_(depth) {
        if (depth_ > MaxDepth) {
            Fail();
        }
    }

    // The whole pattern as one expression.
    Node ParseAll() {
        Node node = ParseAlternation();
        if (position_ != pattern_.size()) {
            Fail(); // a ")" without its "("
        }
        return node;
    }

private:
    bool AtEnd() const { return position_ >= pattern_.size(); }
    char Peek() const { return pattern_[position_]; }

    Node ParseAlternation() {
        Node first = ParseSequence();
        if (AtEnd() || Peek() != '|') {
            return first;
        }
        Node alternation;
        alternation.kind = Node::Alternate;
        alternation.children.push_back(std::move(first));
        while (!AtEnd() && Peek() == '|') {
            ++position_;
            alternation.children.push_back(ParseSequence());
        }
        return alternation;
    }

    Node ParseSequence() {
        Node sequence;
        sequence.kind = Node::Concat;
        while (!AtEnd() && Peek() != '|' && Peek() != ')') {
            const char c = Peek();
            if (c == '?' || c == '*' || c == '+') {
                if (sequence.children.empty()) {
                    Fail(); // nothing to repeat
                }
                ++position_;
                Quantify(sequence.children.back(), c);
            } else {
                sequence.children.push_back(ParseItem());
            }
        }
        if (sequence.children.size() == 1) {
            return std::move(sequence.children.front());
        }
        if (sequence.children.empty()) {
            sequence.kind = Node::Empty;
        }
        return sequence;
    }

    // Stacked quantifiers fold into one ("a+?" is "a*"): same language, no deeper tree.
    static void Quantify(Node& item, char quantifier) {
        if (item.kind != Node::Repeat) {
            Node repeat;
            repeat.kind = Node::Repeat;
            repeat.children.push_back(std::move(item));
            item = std::move(repeat);
        }
        item.optional = item.optional || quantifier != '+';
        item.many = item.many || quantifier != '?';
    }

    Node ParseItem() {
        const char c = pattern_[position_++];
        Node node;
        switch (c) {
        case '(': {
            Parser inner(pattern_, sets_, depth_ + 1);
            inner.position_ = position_;
            node = inner.ParseAlternation();
            position_ = inner.position_;
            if (AtEnd() || Peek() != ')') {
                Fail();
            }
            ++position_;
            return node;
        }
        case '[':
            return ParseSet();
        case '.':
            node.kind = Node::Any;
            return node;
        case '$':
            node.kind = Node::End;
            return node;
        case '\\': {
            if (AtEnd()) {
                Fail();
            }
            const char escaped = pattern_[position_++];
            if (const char* expansion = Abbreviation(escaped)) {
                // One item, as if in brackets, so that "\q" followed by more stays whole.
                return Parser(expansion, sets_, depth_ + 1).ParseAll();
            }
            node.kind = Node::Literal;
            node.character = static_cast<unsigned char>(escaped);
            return node;
        }
        default:
            node.kind = Node::Literal;
            node.character = static_cast<unsigned char>(c);
            return node;
        }
    }

    unsigned char ParseSetCharacter() {
        if (AtEnd()) {
            Fail();
        }
        char c = pattern_[position_++];
        if (c == '\\') {
            if (AtEnd()) {
                Fail();
            }
            c = pattern_[position_++];
            // An expression cannot stand inside a set.
            if (Abbreviation(c) != nullptr) {
                Fail();
            }
        }
        return static_cast<unsigned char>(c);
    }

    Node ParseSet() {
        std::bitset<256> set;
        bool negated = false;
        if (!AtEnd() && Peek() == '^') {
            negated = true;
            ++position_;
        }
        bool empty = true;
        while (!AtEnd() && Peek() != ']') {
            const unsigned char low = ParseSetCharacter();
            unsigned char high = low;
            if (position_ + 1 < pattern_.size() && Peek() == '-' && pattern_[position_ + 1] != ']') {
                ++position_;
                high = ParseSetCharacter();
                if (high < low) {
                    Fail();
                }
            }
            for (unsigned c = low; c <= high; ++c) {
                set.set(c);
            }
            empty = false;
        }
        if (AtEnd() || empty) {
            Fail(); // unterminated, or "[]" / "[^]"
        }
        ++position_;
        if (negated) {
            set.flip();
        }
        Node node;
        node.kind = Node::Set;
        node.set = static_cast<int>(sets_.size());
        sets_.push_back(set);
        return node;
    }

    std::string_view pattern_;
    std::vector<std::bitset<256>>& sets_;
    int depth_;
    size_t position_ = 0;
};

class Compiler {
public:
    explicit Compiler(std::vector<RegEx::Instruction>& program) : program_(program) {}

    void Emit(const Node& node) {
        switch (node.kind) {
        case Node::Empty:
            return;
        case Node::Literal:
            Add(RegEx::Instruction::Char, node.character);
            return;
        case Node::Any:
            Add(RegEx::Instruction::Any);
            return;
        case Node::Set:
            Add(RegEx::Instruction::Set, 0, node.set);
            return;
        case Node::End:
            Add(RegEx::Instruction::AssertEnd);
            return;
        case Node::Concat:
            for (const Node& child : node.children) {
                Emit(child);
            }
            return;
        case Node::Alternate:
            EmitAlternation(node);
            return;
        case Node::Repeat:
            EmitRepeat(node);
            return;
        }
    }

private:
    int Here() const { return static_cast<int>(program_.size()); }

    int Add(RegEx::Instruction::Kind kind, unsigned char character = 0, int first = 0, int second = 0) {
        program_.push_back({kind, character, first, second});
        return Here() - 1;
    }

    void EmitAlternation(const Node& node) {
        std::vector<int> jumps;
        for (size_t i = 0; i + 1 < node.children.size(); ++i) {
            const int split = Add(RegEx::Instruction::Split);
            program_[split].first = Here();
            Emit(node.children[i]);
            jumps.push_back(Add(RegEx::Instruction::Jump));
            program_[split].second = Here();
        }
        Emit(node.children.back());
        for (int jump : jumps) {
            program_[jump].first = Here();
        }
    }

    void EmitRepeat(const Node& node) {
        const Node& body = node.children.front();
        if (node.optional && node.many) { // *
            const int split = Add(RegEx::Instruction::Split);
            program_[split].first = Here();
            Emit(body);
            Add(RegEx::Instruction::Jump, 0, split);
            program_[split].second = Here();
        } else if (node.many) { // +
            const int start = Here();
            Emit(body);
            const int split = Add(RegEx::Instruction::Split, 0, start);
            program_[split].second = Here();
        } else { // ?
            const int split = Add(RegEx::Instruction::Split);
            program_[split].first = Here();
            Emit(body);
            program_[split].second = Here();
        }
    }

    std::vector<RegEx::Instruction>& program_;
};

// Adds pc and everything reachable from it without reading a character to the list of
// positions alive at one text position. A stamp per program position (the text position plus
// one) lets each enter once per text position, which bounds the work per character. True when
// the pattern can end here.
bool AddThread(const std::vector<RegEx::Instruction>& program, int pc, size_t textPosition, size_t textLength,
               std::vector<int>& list, std::vector<size_t>& stamps, std::vector<int>& pending) {
    const size_t stamp = textPosition + 1;
    pending.clear();
    pending.push_back(pc);
    while (!pending.empty()) {
        const int current = pending.back();
        pending.pop_back();
        const auto index = static_cast<size_t>(current);
        if (stamps[index] == stamp) {
            continue;
        }
        stamps[index] = stamp;
        const RegEx::Instruction& instruction = program[index];
        switch (instruction.kind) {
        case RegEx::Instruction::Accept:
            return true;
        case RegEx::Instruction::Jump:
            pending.push_back(instruction.first);
            break;
        case RegEx::Instruction::Split:
            pending.push_back(instruction.second);
            pending.push_back(instruction.first);
            break;
        case RegEx::Instruction::AssertEnd:
            if (textPosition == textLength) {
                pending.push_back(current + 1);
            }
            break;
        default:
            list.push_back(current);
            break;
        }
    }
    return false;
}
} // namespace

RegEx::RegEx(const char* pattern) {
    if (pattern == nullptr) {
        Fail();
    }
    std::string_view text(pattern, std::strlen(pattern));
    if (!text.empty() && text.front() == '^') {
        anchored_ = true;
        text.remove_prefix(1);
    }
    const Node root = Parser(text, sets_, 0).ParseAll();
    Compiler(program_).Emit(root);
    program_.push_back({Instruction::Accept, 0, 0, 0});
}

bool RegEx::Match(const char* text) const {
    return Search(text != nullptr ? std::string_view(text, std::strlen(text)) : std::string_view());
}

bool RegEx::Match(const std::string& text) const {
    return Search(text);
}

bool RegEx::Search(std::string_view text) const {
    // Per-call state only: the compiled program is never written.
    std::vector<size_t> stamps(program_.size(), 0);
    std::vector<int> current;
    std::vector<int> next;
    std::vector<int> pending;
    const size_t length = text.size();
    for (size_t position = 0;; ++position) {
        if ((!anchored_ || position == 0) &&
            AddThread(program_, 0, position, length, current, stamps, pending)) {
            return true;
        }
        if (position == length || (anchored_ && current.empty())) {
            return false;
        }
        const auto c = static_cast<unsigned char>(text[position]);
        next.clear();
        for (int pc : current) {
            const Instruction& instruction = program_[static_cast<size_t>(pc)];
            bool step = false;
            switch (instruction.kind) {
            case Instruction::Char:
                step = instruction.character == c;
                break;
            case Instruction::Any:
                step = true;
                break;
            case Instruction::Set:
                step = sets_[static_cast<size_t>(instruction.first)].test(c);
                break;
            default:
                break;
            }
            if (step && AddThread(program_, pc + 1, position + 1, length, next, stamps, pending)) {
                return true;
            }
        }
        current.swap(next);
    }
}
