{-# LANGUAGE ScopedTypeVariables #-}
-- | Counts the words of a text, and shows a few literals.
module Main (main) where

import Data.Char (isSpace)

{- A block comment
   {- nests -} and runs on
   past the inner close -}
countWords :: String -> Int
countWords = length . words -- a comment after code

infixl 5 -->
(-->) :: Int -> Int -> Int
a --> b = a + b
chain :: Int
chain = 1
  --> 2
---------- a run of dashes is a comment

quote :: Char
quote = '"' -- a character literal holding a quote

foldl'' :: Int
foldl'' = let x' = 1; y'' = x' in y'' -- primes belong to names

text :: String
text = "a -- b {- c -} \" d" -- comment markers inside a string are text

gap :: String
gap = "a string \
      \with a gap"

main :: IO ()
main = do
  print (countWords text, chain, quote, foldl'', gap, isSpace ' ')
  putStrLn ['\'', '\\', 'x'] -- escapes in character literals
