#include "TestRegistry.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// A test that starts its own executable again (a child run in a process of
// its own) finds its name here when the child's first argument names no test.
const char* const TEST_VARIABLE = "LUMIVOX_TEST";

std::map<std::string, LumivoxTestRunner::Entry>& registeredTests()
{
    static std::map<std::string, LumivoxTestRunner::Entry> tests;
    return tests;
}

// "/…/tests/core/tst_Foo.cpp" -> "tst_Foo"
std::string testName(const char* sourceFile)
{
    std::string name(sourceFile);
    const std::string::size_type slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace

bool LumivoxTestRunner::Register(const char* sourceFile, Entry entry)
{
    const bool added = registeredTests().emplace(testName(sourceFile), entry).second;
    if (!added) {
        std::fprintf(stderr, "Two tests named %s in one executable\n", testName(sourceFile).c_str());
        std::abort();
    }
    return added;
}

int main(int argc, char* argv[])
{
    const auto& tests = registeredTests();
    auto chosen = tests.end();
    int skipped = 0;
    if (argc > 1)
        chosen = tests.find(argv[1]);
    if (chosen != tests.end()) {
        skipped = 1;
    } else if (const char* inherited = std::getenv(TEST_VARIABLE)) {
        chosen = tests.find(inherited);
    }
    if (chosen == tests.end() && tests.size() == 1)
        chosen = tests.begin();
    if (chosen == tests.end()) {
        std::fprintf(stderr, "Usage: %s <test> [QtTest options]\nTests:\n", argv[0]);
        for (const auto& test : tests)
            std::fprintf(stderr, "  %s\n", test.first.c_str());
        return 2;
    }
    setenv(TEST_VARIABLE, chosen->first.c_str(), 1);
    // What the test's own executable was called, for its settings and folders.
    QCoreApplication::setApplicationName(QString::fromStdString(chosen->first));
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 1 + skipped, argv + argc);
    arguments.push_back(nullptr);
    return chosen->second(argc - skipped, arguments.data());
}
