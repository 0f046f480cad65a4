;;; Counts the words of a text, and shows Scheme's literals.
(define-library (report)
  (export count-words)
  (import (scheme base))
  (begin
    #| A block comment
       #| nests |# and runs on
       past the inner close |#
    (define (count-words text) ; a comment after code
      (let loop ((chars (string->list text)) (count 0) (in-word #f))
        (cond ((null? chars) (if in-word (+ count 1) count))
              ((char=? (car chars) #\space) (loop (cdr chars) (if in-word (+ count 1) count) #f))
              (else (loop (cdr chars) count #t)))))
    (define chars (list #\" #\; #\a)) ; characters
    (define multi "a string
; spanning lines

ends here")))
