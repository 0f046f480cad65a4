// Counts the words of a text, and shows F#'s literals.
module Report

(* A block comment
   (* nests *) and runs on
   past the inner close *)
/// A doc comment: counts the words of text.
let countWords (text: string) =
    text.Split([| ' ' |], System.StringSplitOptions.RemoveEmptyEntries).Length // a comment

let product = List.reduce (*) [1; 2; 3] // (*) is the multiplication operator
let quote = '"' // a character literal holding a quote
let escaped = "a // b (* c *) \" d"
let verbatim = @"C:\path ""quoted"" // text"
let triple = """a "quoted" // text
(* still text *)
"""
let identity<'a> (x: 'a) = x // a type parameter
#if DEBUG
printfn "debug"
#endif
printfn "%d %d %c %s %s %s" (countWords "a b") product quote escaped verbatim triple
