-- A counter that wraps at a limit.
library ieee;
use ieee.std_logic_1164.all;
use ieee.numeric_std.all;

/* A delimited comment
   -- with a line comment inside */
entity counter is
    port (clk, rst : in std_logic;  -- the clock and the reset
          count    : out unsigned(7 downto 0));
end entity counter;

architecture rtl of counter is
    signal value : unsigned(7 downto 0) := (others => '0');
    constant NOTE : string := "a -- b ""quoted"" c";
begin
    process (clk) begin
        if clk'event and clk = '1' then  -- an attribute, then a character literal
            if rst = '1' then value <= (others => '0');
            else value <= value + 1; end if;
        end if;
    end process;
    count <= value;
end architecture rtl;
