#pragma once

class MainWindow;

// While the program fills the property pages, their change notifications are no edits;
// when the outermost load ends, what the pages show is the base of the next edit.
class PageLoad
{
public:
    explicit PageLoad(MainWindow &window);
    ~PageLoad();
    PageLoad(const PageLoad &) = delete;
    PageLoad &operator=(const PageLoad &) = delete;

private:
    MainWindow &window_;
};
