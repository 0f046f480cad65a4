// StockView.mm - an Objective-C++ bridge between the C++ model and AppKit.
#import <AppKit/AppKit.h>
#include <string>
#define STOCK_LOG(fmt, ...) \
    NSLog(@"stock: " fmt, ##__VA_ARGS__)

namespace stock {
constexpr long kLimit = 10'000;  // a digit separator, not a character literal
constexpr char kSeparator = '/';
const std::string kReport = R"(
// not a comment: raw string text
"quoted" /* text */)";
}  // namespace stock

/*
 * The view shows "levels"; the quote here opens no string.
 */
@interface StockView : NSView
@property (nonatomic, copy) NSString *title;  // shown above the levels
@end

@implementation StockView
- (void)drawRect:(NSRect)dirtyRect {
    NSString *label = @"Stock // levels";  /* an NSString literal */
    auto name = u8"entrep\u00f4t";
    STOCK_LOG(@"%@ %ld %c", label, stock::kLimit, stock::kSeparator);
    // A comment continued with a backslash \
    still part of the comment.
}
@end
