// Greeter.swift - multiline strings, raw strings, nested comments.
import Foundation

/*
 Outer comment.
 /* A nested comment: Swift block comments nest. */
 Still inside the outer comment.

*/
struct Greeter {
    let name: String   // the name to greet
    static let slashes = "// not a comment"
    static let opener = "/* not a comment"
    static let raw = #"a "quoted" \n stays as typed"#
    static let escaped = "say \"hi\""

    static let banner = """
        Hello, "friend" // still the string
        /* still the string */

        The line below is joined to this one by a backslash: \
        done.
        """

    static let rawBlock = #"""
        """ does not end this block
        """#

    func greet() -> String {
        /* inline */ return "Hello, \(name)!"
    }
}

/// Doc comment for the entry point.
func run() {
    let g = Greeter(name: "world") /* a /* nested */ trailing comment */
    print(g.greet(), Greeter.slashes, Greeter.opener, Greeter.raw)
    print(Greeter.escaped, Greeter.banner, Greeter.rawBlock)
}
run()
