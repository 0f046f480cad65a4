module Report where

-- | Counts the words of a text, and shows PureScript's literals.
import Prelude
import Data.Array (length)
import Data.String.Common (split)
import Data.String.Pattern (Pattern(..))

{- A block comment
   -- with a line comment inside -}
countWords :: String -> Int
countWords text = length (split (Pattern " ") text) -- a comment after code

infixl 5 append as -->

chain :: String
chain = "a"
  --> "b"

quote :: Char
quote = '"' -- a character literal holding a quote

raw :: String
raw = """C:\path "quoted" -- text"""

gap :: String
gap = "a string \
      \with a gap"
