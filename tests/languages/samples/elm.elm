module Report exposing (countWords, main)

-- Counts the words of a text, and shows Elm's literals.
import Html exposing (text)

{- A multi-line comment
   {- nests -} and runs on
   past the inner close -}
{-| A documentation comment.
-}
countWords : String -> Int
countWords source =
    List.length (String.words source) -- a comment after code


quote : Char
quote =
    '"' -- a character literal holding a quote


notes : String
notes =
    "a -- b {- c -} \" d"


multi : String
multi =
    """
-- text in a multi-line string

"""


main =
    text (String.fromInt (countWords notes) ++ String.fromChar quote ++ multi)
