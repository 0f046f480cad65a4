#lang racket
;; Counts the words of a text, and shows Racket's literals.

#| A block comment
   #| nests |# and runs on
   past the inner close |#
(define (count-words text) ; a comment after code
  (length (string-split text)))

(define chars (list #\" #\; #\a)) ; characters
(define multi "a string
; spanning lines

ends here")
(define here #<<END
; text in a here string
"quotes" too
END
  )
(displayln (list (count-words "a b") chars multi here))
