<?php
declare(strict_types=1);

/**
 * Renders a greeting card.

 * The "#" and "//" in strings below are not comments.
 */
namespace Samples;

#[\Attribute]
final class Card
{
    private const HASH = '#';         // a string holding '#'
    private const URL = "http://example.com/#top";
    private string $quote = 'it\'s "fine"'; # hash comment after code

    # a hash comment on its own line
    public function render(string $name): string
    {
        $html = <<<HTML
            <h1>Hello, {$name}</h1>
            <!-- string text, not a PHP comment -->

            <p># not a comment either</p>
            HTML;
        $raw = <<<'RAW'
        /* nowdoc: no parsing at all */ $name
        RAW;
        /* block
           comment */
        return $html . $raw . self::HASH . self::URL . $this->quote;
    }
}

$card = new Card();
echo $card->render("world /* still a string */"), "\n";
?>
<p>Text after the closing tag is output.</p>
