#pragma once

#include <memory>
#include <string>

namespace Vn
{

// A named statistic that can describe itself as one line of text and be merged
// with a counter of its own class. Counters live in a Counter_List.
class Counter
{
public:
    // Names a counter after another one: the empty twin of a merge shares the stored
    // name without looking it up again.
    struct NameOf
    {
        const Counter& mCounter;
    };

    explicit Counter(const char* name);
    explicit Counter(NameOf name);
    virtual ~Counter();

    Counter(const Counter&) = delete;
    Counter& operator=(const Counter&) = delete;

    const char* GetName() const { return mName; }

    // The line shown under a parent counter; by default the plain line.
    virtual std::string GetInfo_Relative(const Counter& parent) const;
    virtual std::string GetInfo() const = 0;
    // One constant string per class: its address identifies the class in a merge.
    virtual const char* GetType() const = 0;
    virtual std::unique_ptr<Counter> CreateEmpty() const = 0;
    // Throws std::bad_cast, before changing anything, for a counter of another class.
    virtual void Add(const Counter& other) = 0;

private:
    const char* const mName; // the shared copy in Counter_Names
};

} // namespace Vn
